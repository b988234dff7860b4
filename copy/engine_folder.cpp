#include "copy/engine_folder.h"

#include <windows.h>

#include "copy/copy_messages.h"
#include "copy/engine_version.h"
#include "core/engine_presence.h"
#include "core/registry_key.h"

namespace {

constexpr const char* kEngineKey = "Software\\Borland\\Database Engine";
constexpr const char* kWindowsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

// Versions below 4.0 are older than the engine the application needs.
bool IsOlderEngine(const std::string& version) { return version != "4.0" && ParseEngineVersion(version) < 4; }

std::string ReadMachineValue(const char* key, const char* name) {
    std::optional<RegistryKey> opened = RegistryKey::Open(HKEY_LOCAL_MACHINE, key);
    std::optional<std::string> value = opened ? opened->ReadString(name) : std::nullopt;
    if (!value || value->empty()) {
        throw CopyFailure("Nu gasesc in registrul Windows valoarea " + std::string(name) + "\r(HKEY_LOCAL_MACHINE\\" +
                          key + ").");
    }
    return *value;
}

void MakeFolder(const std::string& folder) {
    if (CreateDirectoryA(folder.c_str(), nullptr)) return;
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        throw CopyFailure("Nu pot crea directorul " + folder + ".");
    }
}

}  // namespace

std::optional<std::string> EngineFolder(TInstallSettings& settings,
                                        const std::function<void(const std::string& folder)>& beforeMaking) {
    if (EngineInstalled()) {
        const std::optional<std::string> version = InstalledEngineVersion();
        if (version && IsOlderEngine(*version)) settings.OldEngineFound = true;
        if (settings.OldEngineFound) WarnOldEngine();
        return std::nullopt;
    }
    if (settings.OldEngineFound) return ReadMachineValue(kEngineKey, "DLLPATH");

    std::string folder = ReadMachineValue(kWindowsKey, "ProgramFilesDir");
    if (folder.back() == '\\') folder.pop_back();
    constexpr const char* kLevels[] = {"\\Borland", "\\Common Files", "\\BDE"};
    if (beforeMaking) {
        std::string engine = folder;
        for (const char* level : kLevels) engine += level;
        beforeMaking(engine);
    }
    for (const char* level : kLevels) {
        folder += level;
        MakeFolder(folder);
    }
    return folder;
}
