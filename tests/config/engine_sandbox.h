// A private stage for the engine tests: a temporary Program Files folder
// named by ProgramFilesDir, no engine registered (what Wine's set-up wrote
// of the engine's settings stays), an empty current folder, and the engine
// binding unloaded. Everything it changes in HKEY_LOCAL_MACHINE is put back
// as it was.
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/registry_key.h"
#include "tests/support/files.h"

// A registry key with its values and subkeys, to be put back later.
struct KeySnapshot {
    std::map<std::string, std::pair<DWORD, std::string>> values;
    std::map<std::string, KeySnapshot> subkeys;
    bool operator==(const KeySnapshot&) const = default;
};
std::optional<KeySnapshot> TakeSnapshot(HKEY root, const std::string& path);
// Deletes the key and, when there was one, writes the snapshot back.
void PutBack(HKEY root, const std::string& path, const std::optional<KeySnapshot>& snapshot);

std::optional<std::string> RegistryString(const std::string& key, const std::string& value);
bool RegistryKeyExists(const std::string& key);
// The key under HKEY_LOCAL_MACHINE, made when missing; the test fails when it cannot be.
RegistryKey MadeKey(const std::string& key);

class EngineSandbox : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Puts the engine library and the demo kit's registration file into the
    // engine folder, as the copy step does, and registers the engine.
    void InstallEngine();
    // Opens the diagnostic log in the sandbox; LogText reads it.
    void OpenLog();
    std::string LogText() const { return ReadBytes(logFile); }

    std::string root;          // the sandbox, removed at the end
    std::string programFiles;  // ProgramFilesDir while the test runs (with a blank)
    std::string engineFolder;  // <programFiles>\Borland\Common Files\BDE
    std::string workFolder;    // the current folder while the test runs
    std::string logFile;

private:
    std::optional<KeySnapshot> borland_;
    std::optional<std::string> programFilesDir_;
    std::string formerFolder_;
};
