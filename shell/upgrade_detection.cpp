#include "shell/upgrade_detection.h"

#include <windows.h>

#include "config/engine.h"
#include "framework/application.h"
#include "core/program_path.h"
#include "core/settings.h"
#include "toolkit/message_dialog.h"
#include "unzip/quill_unzip.h"
#include "upgrade/upgrade_library.h"
#include "shell/wizard.h"

void PrepareUpgradeLibrary() {
    const std::string archive = ProgramFolder() + "UPGRADE.ZIP";
    if (InstallSettings.UpgradeMode) {
        // Its result is not looked at: a damaged archive shows itself as a
        // library that does not load.
        korven::unzip::TQuillUnzip unzip;
        unzip.SetFileName(archive);
        unzip.SetDirectoryName(ProgramFolder());
        unzip.Extract();
    }
    DeleteFileA(archive.c_str());
}

void DetectUpgrade() {
    TInstallSettings& settings = InstallSettings;
    settings.UpgradeMode = AliasExists();
    // The main window paints before the slow steps.
    Application().ProcessMessages();
    PrepareUpgradeLibrary();
    if (!settings.UpgradeMode) return;
    settings.CurrentPage = SlotFindApp;
    if (!LoadUpgradeLibrary()) {
        settings.CurrentPage = SlotDone;
        RomMessageDlg("Nu am putut incarca UPGRADE.DLL", "Program incomplet!", mtError, taCenter, {mbCancel}, mbCancel);
    }
}
