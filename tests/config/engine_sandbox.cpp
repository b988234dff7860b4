#include "engine_sandbox.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/debug_log.h"
#include "config/engine.h"
#include "config/engine_registration.h"
#include "core/registry_key.h"

namespace {

constexpr char BorlandKey[] = "Software\\Borland";
constexpr char WindowsVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";

void Restore(HKEY parent, const KeySnapshot& snapshot) {
    for (const auto& [name, value] : snapshot.values)
        RegSetValueExA(parent, name.c_str(), 0, value.first, reinterpret_cast<const BYTE*>(value.second.data()),
                       static_cast<DWORD>(value.second.size()));
    for (const auto& [name, child] : snapshot.subkeys)
        if (auto key = RegistryKey::Create(parent, name)) Restore(*key, child);
}

}  // namespace

std::optional<KeySnapshot> TakeSnapshot(HKEY root, const std::string& path) {
    const auto opened = RegistryKey::Open(root, path);
    if (!opened) return std::nullopt;
    const RegistryKey& key = *opened;
    KeySnapshot snapshot;
    char name[16384];
    BYTE data[65536];
    for (DWORD index = 0;; ++index) {
        DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
        snapshot.values[std::string(name, nameSize)] = {type, std::string(reinterpret_cast<char*>(data), dataSize)};
    }
    for (DWORD index = 0;; ++index) {
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(key, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        const std::string child(name, nameSize);
        if (auto sub = TakeSnapshot(key, child)) snapshot.subkeys[child] = std::move(*sub);
    }
    return snapshot;
}

void PutBack(HKEY root, const std::string& path, const std::optional<KeySnapshot>& snapshot) {
    RegDeleteTreeA(root, path.c_str());
    RegDeleteKeyA(root, path.c_str());
    if (!snapshot) return;
    auto key = RegistryKey::Create(root, path);
    ASSERT_TRUE(key) << path;
    Restore(*key, *snapshot);
}

std::optional<std::string> RegistryString(const std::string& key, const std::string& value) {
    const auto opened = RegistryKey::Open(HKEY_LOCAL_MACHINE, key);
    return opened ? opened->ReadString(value) : std::nullopt;
}

bool RegistryKeyExists(const std::string& key) { return RegistryKey::Open(HKEY_LOCAL_MACHINE, key).has_value(); }

RegistryKey MadeKey(const std::string& key) {
    auto made = RegistryKey::Create(HKEY_LOCAL_MACHINE, key);
    EXPECT_TRUE(made) << key;
    return made ? std::move(*made) : RegistryKey();
}

void EngineSandbox::SetUp() {
    DoneEngine();
    char temp[MAX_PATH], full[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    GetFullPathNameA((std::string(temp) + "korven_engine_" + std::to_string(GetCurrentProcessId())).c_str(),
                     sizeof full, full, nullptr);
    root = full;
    std::filesystem::remove_all(root);
    programFiles = root + "\\Program Files";
    engineFolder = programFiles + "\\Borland\\Common Files\\BDE";
    workFolder = root + "\\work";
    logFile = root + "\\korvinst.log";
    std::filesystem::create_directories(engineFolder);
    std::filesystem::create_directories(workFolder);

    // What Wine's set-up wrote under Borland stays: only an installed
    // engine would spoil the stage, and none may be left by another test.
    ASSERT_FALSE(RegistryKeyExists("Software\\Borland\\BLW32")) << "a test before this one left an engine registered";
    borland_ = TakeSnapshot(HKEY_LOCAL_MACHINE, BorlandKey);
    programFilesDir_ = RegistryString(WindowsVersionKey, "ProgramFilesDir");
    ASSERT_TRUE(MadeKey(WindowsVersionKey).WriteString("ProgramFilesDir", programFiles));

    char folder[MAX_PATH];
    GetCurrentDirectoryA(sizeof folder, folder);
    formerFolder_ = folder;
    SetCurrentDirectoryA(workFolder.c_str());
    SetEnvironmentVariableA("KORVEN_TRACE", nullptr);
    SetEnvironmentVariableA("KORVEN_ENGINE_FAIL", nullptr);
}

void EngineSandbox::TearDown() {
    DoneEngine();
    DebugClose();
    SetEnvironmentVariableA("KORVEN_TRACE", nullptr);
    SetEnvironmentVariableA("KORVEN_ENGINE_FAIL", nullptr);
    SetCurrentDirectoryA(formerFolder_.c_str());
    PutBack(HKEY_LOCAL_MACHINE, BorlandKey, borland_);
    RegistryKey windows = MadeKey(WindowsVersionKey);
    if (programFilesDir_)
        windows.WriteString("ProgramFilesDir", *programFilesDir_);
    else
        windows.DeleteValue("ProgramFilesDir");
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

void EngineSandbox::InstallEngine() {
    ASSERT_TRUE(CopyFileA(ENGINE_DLL, (engineFolder + "\\IDAPI32.DLL").c_str(), FALSE)) << ENGINE_DLL;
    ASSERT_TRUE(CopyFileA(DEMO_BDE_REG, (engineFolder + "\\bde.reg").c_str(), FALSE)) << DEMO_BDE_REG;
    RegisterBDE();
}

void EngineSandbox::OpenLog() {
    DebugEnabled = true;
    DebugOpen(logFile, "engine test");
}
