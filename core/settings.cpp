#include "core/text.h"
#include "core/settings.h"

#include <windows.h>

#include <cctype>
#include <cstring>
#include <vector>

#include "core/debug_log.h"
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

namespace {

std::uint32_t ReadDiskCount(const std::string& file) {
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
        return DefaultDiskCount;
    }
    return GetPrivateProfileIntA("General", "NrDiscuri", DefaultDiskCount, file.c_str());
}

// The section's lines, each ended by a zero, the list by a second one. The
// reader says it ran out of room by answering the room less two.
std::vector<char> ProfileSection(const char* section, const std::string& file) {
    std::vector<char> lines(4096);
    for (;;) {
        const DWORD length =
            GetPrivateProfileSectionA(section, lines.data(), static_cast<DWORD>(lines.size()), file.c_str());
        if (length + 2 < lines.size()) {
            lines.resize(length + 1);
            return lines;
        }
        lines.resize(lines.size() * 2);
    }
}

PieceManifest ReadPieceManifest(const std::string& file) {
    PieceManifest pieces;
    const std::vector<char> lines = ProfileSection("Piese", file);
    for (const char* line = lines.data(); *line != '\0'; line += std::strlen(line) + 1) {
        if (!pieces.Add(line)) DebugNote(std::string("Linie nerecunoscuta in [Piese]: ") + line);
    }
    return pieces;
}

}  // namespace

void ReadSettingsFile(const std::string& folder) {
    const std::string file = WithBackslash(folder) + "instkorv.cfg";
    InstallSettings.DiskCount = ReadDiskCount(file);
    InstallSettings.Pieces = ReadPieceManifest(file);
}
