#include "config/uninstall_entry.h"

#include <windows.h>

#include <cstdio>

#include "core/registry_key.h"
#include "core/text.h"
#include "core/version.h"

namespace {

std::string Uninstaller(const std::string& programDir) { return "\"" + UninstallerPath(programDir) + "\""; }

std::string Today() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[9];
    std::snprintf(text, sizeof text, "%04u%02u%02u", now.wYear % 10000u, now.wMonth % 100u, now.wDay % 100u);
    return text;
}

// In kilobytes, as the list of programs shows it.
DWORD EstimatedSize(const InstallationRecord& record) {
    std::uint64_t bytes = 0;
    for (const RecordedFile& file : record.files) bytes += file.size;
    const std::uint64_t kilobytes = (bytes + 1023) / 1024;
    return kilobytes > MAXDWORD ? MAXDWORD : static_cast<DWORD>(kilobytes);
}

}  // namespace

std::string UninstallCommand(const std::string& programDir) { return Uninstaller(programDir) + " /UNINSTALL"; }

std::string QuietUninstallCommand(const std::string& programDir) {
    return UninstallCommand(programDir) + " /UNATTENDED";
}

bool WriteUninstallEntry(const InstallationRecord& record) {
    std::optional<RegistryKey> key = RegistryKey::Create(HKEY_LOCAL_MACHINE, UninstallEntryKey);
    if (!key) return false;
    const std::string& folder = record.programDir;
    bool written = key->WriteString("DisplayName", "KORVEN");
    written = key->WriteString("DisplayVersion", KORVEN_VERSION_TEXT) && written;
    written = key->WriteString("Publisher", "KORVEN") && written;
    written = key->WriteString("InstallLocation", folder) && written;
    written = key->WriteString("InstallDate", Today()) && written;
    written = key->WriteNumber("EstimatedSize", EstimatedSize(record)) && written;
    written = key->WriteString("DisplayIcon", InFolder(folder, "KORVEN.EXE") + ",0") && written;
    written = key->WriteString("UninstallString", UninstallCommand(folder)) && written;
    written = key->WriteString("QuietUninstallString", QuietUninstallCommand(folder)) && written;
    written = key->WriteNumber("NoModify", 1) && written;
    written = key->WriteNumber("NoRepair", 1) && written;
    return written;
}

bool RemoveUninstallEntry(const std::string& programDir) {
    {
        const std::optional<RegistryKey> key = RegistryKey::Open(HKEY_LOCAL_MACHINE, UninstallEntryKey);
        if (!key) return true;
        const std::optional<std::string> location = key->ReadString("InstallLocation");
        if (location && UpperAscii(WithoutFinalBackslash(*location)) != UpperAscii(WithoutFinalBackslash(programDir)))
            return true;
    }
    return RegistryKey::Delete(HKEY_LOCAL_MACHINE, UninstallEntryKey);
}
