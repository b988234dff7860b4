// What the upgrade tests share: scratch folders, whole-file reads and writes,
// an alias store of the test's own named by the engine's registry key, the
// sample library's trace read back, environment switches put back, and the
// diagnostic log captured.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

std::string ReadBytes(const std::string& fileName);
void WriteBytes(const std::string& fileName, const std::string& bytes);

// A new empty folder under TEMP, removed with what it holds at the end.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    // Without a final backslash.
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// An environment variable set for the object's life, then put back.
class EnvironmentSwitch {
public:
    EnvironmentSwitch(std::string name, const std::string& value);
    ~EnvironmentSwitch();
    EnvironmentSwitch(const EnvironmentSwitch&) = delete;
    EnvironmentSwitch& operator=(const EnvironmentSwitch&) = delete;

private:
    std::string name_;
    std::optional<std::string> former_;
};

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

// The diagnostic log switched on into a scratch file for the object's life.
class CapturedLog {
public:
    CapturedLog();
    ~CapturedLog();
    CapturedLog(const CapturedLog&) = delete;
    CapturedLog& operator=(const CapturedLog&) = delete;
    // The lines so far, without their time stamps, the indent cut.
    std::vector<std::string> Lines() const;

private:
    std::string path_;
};

// The user interface started once for the test program.
void StartTestUserInterface();
