// What the upgrade tests share besides tests/support: an alias store of the
// test's own named by the engine's registry key, and the sample library's
// trace read back.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/support/captured_log.h"
#include "tests/support/environment_switch.h"
#include "tests/support/files.h"
#include "tests/support/scratch_folder.h"

// The engine's registry value CONFIGFILE01 pointed at a store file of the
// test's own for the object's life; the former value is put back.
class AliasStoreSandbox {
public:
    explicit AliasStoreSandbox(const std::string& storeFile);
    ~AliasStoreSandbox();
    AliasStoreSandbox(const AliasStoreSandbox&) = delete;
    AliasStoreSandbox& operator=(const AliasStoreSandbox&) = delete;
    // Writes the store with one alias.
    void Define(const std::string& alias, const std::string& folder);

private:
    std::string storeFile_;
    std::optional<std::string> former_;
    bool keyMade_ = false;
};

// KORVEN_TRACE pointed at a scratch file for the object's life.
class LibraryTrace {
public:
    LibraryTrace();
    ~LibraryTrace();
    LibraryTrace(const LibraryTrace&) = delete;
    LibraryTrace& operator=(const LibraryTrace&) = delete;
    // Every traced line, the process id cut.
    std::vector<std::string> Lines() const;
    // The call names alone, in order.
    std::vector<std::string> Calls() const;

private:
    std::string path_;
    std::optional<EnvironmentSwitch> switch_;
};
