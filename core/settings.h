// The installation settings shared by every page of the wizard, the fixed
// table of installable components, and the settings file reader. Pages hand
// their results to each other only through InstallSettings.
#pragma once
#include <array>
#include <cstdint>
#include <string>

enum TInstallType : std::uint8_t {
    itNone = 0,    // not chosen yet
    itLocal = 1,   // program and data on this computer
    itServer = 2,  // this computer holds the database
    itClient = 3,  // the database lies on another computer
};

// Folder into which a component's archive is extracted.
enum TCompTarget : std::uint8_t {
    ctData = 0,     // DataDir, database with examples
    ctNewData = 1,  // DataDir, blank database
    ctProgram = 2,  // ProgramDir
    ctEngine = 3,   // the database engine's folder, chosen by the copy page
};

struct TCompRecord {
    const char* CompName;  // the kit carries CompName.1, CompName.2, ...
    const char* CompDescription;
    TCompTarget CompTarget;
};

// Bit i stands for row i of Components.
using TCompSet = std::uint16_t;

inline constexpr int ComponentCount = 7;
extern const std::array<TCompRecord, ComponentCount> Components;
// Indexed by TInstallType. A client never receives the database archives;
// an upgrade never re-installs the database engine.
extern const std::array<TCompSet, 4> InstallSets;
extern const std::array<TCompSet, 4> UpgradeSets;

constexpr bool InSet(TCompSet set, int row) { return (set >> row) & 1u; }

struct TInstallSettings {
    bool UpgradeMode = false;
    bool OldEngineFound = false;
    TInstallType InstallType = itNone;
    std::uint8_t CurrentPage = 0;
    std::string DefaultProgramDir = "C:\\WinKorv";
    std::string ProgramDir = "C:\\WinKorv";
    std::string DefaultDataDir = "C:\\WinKorv";
    std::string DataDir = "C:\\WinKorv";
    std::string SourceDir;  // the kit's first disk, with a final backslash
    std::array<std::string, 4> AliasNames{"KORVENALIAS", "FIRMAALIAS", "LUNAALIAS", "KORVEN"};
    std::array<std::string, 4> AliasDirs{"NEW\\DATA", "NEW\\FIRMA", "NEW\\LUNA", "DATA"};
    std::uint32_t DiskCount = 1;
};

extern TInstallSettings InstallSettings;

// Reads "NrDiscuri" of section "General" from instkorv.cfg beside the program
// into DiskCount (6 when absent). A negative count is reported and taken as 6.
void ReadSettingsFile();
// The same, from the settings file in the given folder.
void ReadSettingsFile(const std::string& folder);
