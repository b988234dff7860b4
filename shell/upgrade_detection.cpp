#include "shell/upgrade_detection.h"

#include <windows.h>
#include <cstdint>

#include "config/engine.h"
#include "framework/application.h"
#include "core/program_path.h"
#include "core/settings.h"
#include "toolkit/message_dialog.h"
#include "unzip/quill_unzip.h"
#include "upgrade/upgrade_library.h"
#include "shell/wizard.h"

bool PrepareUpgradeLibrary() {
    const std::string archive = ProgramFolder() + "UPGRADE.ZIP";
    const std::string library = ProgramFolder() + "UPGRADE.DLL";
    bool inPlace = false;
    if (InstallSettings.UpgradeMode) {
        // A library left by an earlier upgrade must never stand in for the
        // kit's: it goes first, and only a whole extraction puts one back.
        if (DeleteFileA(library.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND) {
            korven::unzip::TQuillUnzip unzip;
            unzip.SetFileName(archive);
            unzip.SetDirectoryName(ProgramFolder());
            const std::int32_t extracted = unzip.Extract();
            inPlace = extracted > 0 && extracted == unzip.MatchingMembers() &&
                      unzip.Directory() == korven::unzip::DirectoryState::kWhole &&
                      GetFileAttributesA(library.c_str()) != INVALID_FILE_ATTRIBUTES;
            if (!inPlace) DeleteFileA(library.c_str());
        }
    }
    DeleteFileA(archive.c_str());
    return inPlace;
}

void DetectUpgrade() {
    TInstallSettings& settings = InstallSettings;
    settings.UpgradeMode = AliasExists();
    // The main window paints before the slow steps.
    Application().ProcessMessages();
    const bool libraryInPlace = PrepareUpgradeLibrary();
    if (!settings.UpgradeMode) return;
    settings.CurrentPage = SlotFindApp;
    if (!libraryInPlace || !LoadUpgradeLibrary()) {
        settings.CurrentPage = SlotDone;
        RomMessageDlg("Nu am putut incarca UPGRADE.DLL", "Program incomplet!", mtError, taCenter, {mbCancel}, mbCancel);
    }
}
