#include "core/engine_presence.h"

#include "core/registry_key.h"

namespace {

constexpr char kEngineInstalledKey[] = "Software\\Borland\\BLW32";
constexpr char kEngineSettingsKey[] = "Software\\Borland\\Database Engine\\Settings\\SYSTEM\\INIT";

}  // namespace

bool EngineInstalled() { return RegistryKey::Open(HKEY_LOCAL_MACHINE, kEngineInstalledKey).has_value(); }

std::optional<std::string> InstalledEngineVersion() {
    const std::optional<RegistryKey> settings = RegistryKey::Open(HKEY_LOCAL_MACHINE, kEngineSettingsKey);
    return settings ? settings->ReadString("VERSION") : std::nullopt;
}
