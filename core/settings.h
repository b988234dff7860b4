// The installation settings shared by every page of the wizard, and the
// settings file reader. Pages hand their results to each other only through
// InstallSettings.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "core/components.h"
#include "core/installation_record.h"
#include "core/piece_manifest.h"

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
    PieceManifest Pieces;  // empty for a kit that lists no pieces
    // The upgrade's backup of this run (empty before the upgrade's copy
    // saved anything), and whether a database step did not end well.
    std::string BackupFolder;
    bool UpgradeStepFailed = false;
    // What the end page says instead of its success text; empty for that.
    std::string EndNote;
    // What this run puts on the computer, kept in the installation record:
    // the copy pages note files and folders, the configuration the engine,
    // aliases and group.
    InstallationRecord Installed;
};

extern TInstallSettings InstallSettings;

// Reads "NrDiscuri" of section "General" from instkorv.cfg beside the program
// into DiskCount (6 when absent). A negative count is reported and taken as 6.
// The section "Piese", where the kit has one, becomes Pieces; a line of it
// that is not understood is noted in the log and leaves its piece unchecked.
void ReadSettingsFile();
// The same, from the settings file in the given folder.
void ReadSettingsFile(const std::string& folder);
