#include "settings.h"

#include <windows.h>

#include <cctype>

#include "program_path.h"
#include "toolkit/message_dialog.h"

namespace {
constexpr TCompSet Rows(std::initializer_list<int> rows) {
    TCompSet set = 0;
    for (int row : rows) set = static_cast<TCompSet>(set | (1u << row));
    return set;
}

enum Row { EXE, OUTPOST, DBDAT, DBNEW, BDE32, HELP, PAYROLL };

constexpr std::uint32_t DefaultDiskCount = 6;
}  // namespace

const std::array<TCompRecord, ComponentCount> Components{{
    {"EXE", "Fisiere executabile", ctProgram},
    {"OUTPOST", "Outpost KORVEN", ctProgram},
    {"DBDAT", "KORVEN: baza de date si exemple", ctData},
    {"DBNEW", "KORVEN: baza de date martor", ctNewData},
    {"BDE32", "Borland Database Engine", ctEngine},
    {"HELP", "Help Winkorven", ctProgram},
    {"PAYROLL", "Payroll KORVEN", ctProgram},
}};

const std::array<TCompSet, 4> InstallSets{
    0,
    Rows({EXE, OUTPOST, DBDAT, DBNEW, BDE32, HELP, PAYROLL}),
    Rows({EXE, OUTPOST, DBDAT, DBNEW, BDE32, HELP, PAYROLL}),
    Rows({EXE, OUTPOST, BDE32, HELP, PAYROLL}),
};

const std::array<TCompSet, 4> UpgradeSets{
    0,
    Rows({EXE, OUTPOST, DBDAT, DBNEW, HELP, PAYROLL}),
    Rows({EXE, OUTPOST, DBDAT, DBNEW, HELP, PAYROLL}),
    Rows({EXE, OUTPOST, HELP, PAYROLL}),
};

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
