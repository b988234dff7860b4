#include "core/text.h"
#include "core/settings.h"

#include <windows.h>

#include <cctype>

#include "core/program_path.h"
#include "toolkit/message_dialog.h"

namespace {
constexpr std::uint32_t DefaultDiskCount = 6;
}  // namespace

TInstallSettings InstallSettings;

namespace {

// True when the digits that start `text` make a number other than zero, as
// the profile's integer reader would read them.
bool ReadsAsNonZero(const char* text) {
    for (; std::isdigit(static_cast<unsigned char>(*text)); ++text)
        if (*text != '0') return true;
    return false;
}

}  // namespace

void ReadSettingsFile() { ReadSettingsFile(ProgramFolder()); }

void ReadSettingsFile(const std::string& folder) {
    const std::string file = WithBackslash(folder) + "instkorv.cfg";
    // The profile reader turns "-2" into a huge unsigned count; look at the
    // text first so that a negative count is caught and explained. A minus
    // sign before nothing but zeros ("-0") is no negative count.
    char text[64] = {};
    GetPrivateProfileStringA("General", "NrDiscuri", "", text, sizeof text, file.c_str());
    const char* digits = text;
    while (std::isspace(static_cast<unsigned char>(*digits))) ++digits;
    if (*digits == '-' && ReadsAsNonZero(digits + 1)) {
        RomMessageDlg(std::string("Numarul de discuri din fisierul de configurare nu este valid (NrDiscuri=") + text +
                          ").\rSe considera " + std::to_string(DefaultDiskCount) + " discuri.",
                      "", mtWarning, taCenter, {mbOK}, mbOK);
        InstallSettings.DiskCount = DefaultDiskCount;
        return;
    }
    InstallSettings.DiskCount = GetPrivateProfileIntA("General", "NrDiscuri", DefaultDiskCount, file.c_str());
}
