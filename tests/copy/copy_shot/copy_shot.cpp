// The copy page as users see it, saved for people to look at:
//
//   copy_shot FOLDER   writes into FOLDER
//     copy_idle.bmp        the page before Next
//     copy_extracting.bmp  the page while it extracts: the gauges part-way
//                          and the component's description, taken when the
//                          damaged data archive of the kit is told
//     copy_damaged.bmp     that question over the page
//     copy_disk.bmp        the disk prompt over the page
//     upgrade_copy_extracting.bmp  the upgrade's copy page while it extracts
//                          over an earlier installation, taken when the
//                          damaged data archive of its kit is told
//     upgrade_copy_damaged.bmp     that question over the page
//     upgrade_copy_in_use.bmp      the upgrade's question about programs
//                          that another program holds open
//     copy_space.bmp       the message about a drive without enough room
//     copy_damaged_piece.bmp  the question about a piece that came off its
//                          disk unlike the kit lists it
//
// The kit is made in a temporary folder, removed after, from the archives
// zip made for the copy tests; the pictures are taken from inside the dialogs' modal loops.
#include "tests/support/screen_shots.h"
#include "copy/copy_page.h"
#include "copy/disk_space.h"
#include "copy/upgrade_copy_page.h"
#include "copy_test_support.h"

#include "framework/application.h"
#include "core/settings.h"
#include "toolkit/mbutton.h"
#include "toolkit/message_dialog.h"
#include "toolkit/toolkit_start.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

namespace {

void CopyFileTo(const std::string& from, const std::string& to) { CopyFileA(from.c_str(), to.c_str(), FALSE); }

// Taken from inside a dialog's modal loop a moment after it showed.
struct DialogShot {
    TCopy* page = nullptr;
    TMessageDialogForm* dialog = nullptr;
    std::string pagePath;  // the page alone; empty for none
    std::string bothPath;  // the dialog over the page
} dialogShot;

void CALLBACK TakeDialogShot(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    RECT pageRect, dialogRect, both;
    GetWindowRect(dialogShot.page->Handle(), &pageRect);
    GetWindowRect(dialogShot.dialog->Handle(), &dialogRect);
    if (!dialogShot.pagePath.empty()) SaveScreen(pageRect, dialogShot.pagePath);
    UnionRect(&both, &pageRect, &dialogRect);
    SaveScreen(both, dialogShot.bothPath);
    dialogShot.dialog->SetModalResult(mrCancel);
}

// Next on a page over `kit`; the first dialog is pictured and answered Cancel.
template <class Page>
void ShootFirstDialog(const std::string& kit, const std::string& program, const std::string& pagePath,
                      const std::string& bothPath, const PieceManifest& pieces = {}) {
    InstallSettings = TInstallSettings{};
    InstallSettings.Pieces = pieces;
    InstallSettings.InstallType = itLocal;
    InstallSettings.SourceDir = kit + "\\";
    InstallSettings.DefaultProgramDir = InstallSettings.ProgramDir = InstallSettings.DataDir = program;
    Page page(nullptr);
    PlaceAsTheWizard(page);
    page.Show();
    Settle(300);
    dialogShot = {&page, nullptr, pagePath, bothPath};
    SetMessageDialogWatcher([](TMessageDialogForm& dialog) {
        dialogShot.dialog = &dialog;
        SetTimer(nullptr, 0, 600, TakeDialogShot);
    });
    SendMessageA(page.BNext->Handle(), BM_CLICK, 0, 0);
    SetMessageDialogWatcher(nullptr);
    page.Hide();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "copy_shot FOLDER\n");
        return 2;
    }
    try {
        const std::string folder = std::string(argv[1]) + "\\";
        CreateDirectoryA(argv[1], nullptr);
        const ScratchFolder root("korven_copy_shot");
        const std::string kit = root.Make("kit"), program = root.Make("WinKorv");
        StartToolkit();

        {
            TCopy page(nullptr);
            PlaceAsTheWizard(page);
            page.Show();
            Settle(400);
            SaveWindow(page.Handle(), folder + "copy_idle.bmp");
            page.Hide();
        }

        // No DISK1 in the kit folder: the page asks for the disk.
        ShootFirstDialog<TCopy>(kit, program, "", folder + "copy_disk.bmp");

        // The program archive whole, the data archive damaged, help after it.
        WriteBytes(kit + "\\DISK1", "");
        CopyFileTo(KitArchive("EXE"), kit + "\\EXE.1");
        CopyFileTo(HostileArchive("overrun_stored.zip"), kit + "\\DBDAT.1");
        CopyFileTo(KitArchive("HELP"), kit + "\\HELP.1");
        CopyFileTo(KitArchive("DBNEW"), kit + "\\DBNEW.1");
        ShootFirstDialog<TCopy>(kit, program, folder + "copy_extracting.bmp", folder + "copy_damaged.bmp");

        // An upgrade over what the first run left: the upgrade's programs
        // put over the old ones, its data archive damaged.
        const std::string upgradeKit = root.Make("upgrade_kit");
        WriteBytes(upgradeKit + "\\DISK1", "");
        for (const char* component : {"EXE", "OUTPOST", "HELP", "PAYROLL", "DBNEW"})
            CopyFileTo(UpgradeKitArchive(component), upgradeKit + "\\" + component + ".1");
        CopyFileTo(HostileArchive("overrun_stored.zip"), upgradeKit + "\\DBDAT.1");
        ShootFirstDialog<TUpgCopy>(upgradeKit, program, folder + "upgrade_copy_extracting.bmp",
                                   folder + "upgrade_copy_damaged.bmp");

        // The same upgrade with its data whole, while the old program runs.
        CopyFileTo(UpgradeKitArchive("DBDAT"), upgradeKit + "\\DBDAT.1");
        WriteBytes(program + "\\KORVEN.EXE", "vechi");
        {
            const HANDLE running = CreateFileA((program + "\\KORVEN.EXE").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                               nullptr, OPEN_EXISTING, 0, nullptr);
            ShootFirstDialog<TUpgCopy>(upgradeKit, program, "", folder + "upgrade_copy_in_use.bmp");
            CloseHandle(running);
        }

        // A drive with a megabyte and a half free.
        SetFreeSpaceQuery([](const std::string&) -> std::optional<std::uint64_t> { return 3 * 1024 * 1024 / 2; });
        WriteBytes(kit + "\\HELP.2", std::string(3 * 1024 * 1024, 'x'));
        ShootFirstDialog<TCopy>(kit, program, "", folder + "copy_space.bmp");
        SetFreeSpaceQuery(nullptr);
        DeleteFileA((kit + "\\HELP.2").c_str());

        // The program archive's piece listed with other bytes than it has.
        PieceManifest pieces;
        pieces.Add("EXE.1=" + std::to_string(ReadBytes(kit + "\\EXE.1").size()) + ",0BADC0DE,1");
        ShootFirstDialog<TCopy>(kit, program, "", folder + "copy_damaged_piece.bmp", pieces);

        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "copy_shot: %s\n", e.what());
        return 1;
    }
}
