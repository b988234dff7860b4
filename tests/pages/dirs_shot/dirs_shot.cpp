// The destination folders page as LOCAL, SERVER and CLIENT see it, and the
// folder picker, each saved as the screen shows it, for people to look at:
//
//   pages_dirs_shot FOLDER     writes dirs_local.bmp, dirs_server.bmp,
//                              dirs_client.bmp, dirs_client_error.bmp (the
//                              dialog of a missing server folder) and
//                              dir_dialog.bmp into FOLDER
#include "tests/support/screen_shots.h"
#include "pages/dir_dialog.h"
#include "pages/dirs_page.h"

#include "framework/application.h"
#include "framework/filectrls.h"
#include "core/settings.h"
#include "toolkit/active_edit.h"
#include "toolkit/mbutton.h"
#include "toolkit/message_dialog.h"
#include "toolkit/toolkit_start.h"

#include <cstdio>
#include <string>

namespace {

// The whole window, frame included, as the screen shows it.
void SaveShot(TForm& form, const std::string& path) {
    form.Show();
    Settle(400);
    SaveWindow(form.Handle(), path);
    form.Hide();
}

void ShootPage(TInstallType type, const std::string& path) {
    InstallSettings.InstallType = type;
    InstallSettings.DefaultDataDir = "C:\\WinKorv\\Date";
    TDirs page(nullptr);
    PlaceAsTheWizard(page);
    SaveShot(page, path);
}

// The client's Next with a server folder that does not exist: the dialog
// over the page. The dialog is told to the watcher while it is being shown;
// the picture is taken a moment later, from inside its modal loop.
struct ErrorShot {
    TDirs* page = nullptr;
    TMessageDialogForm* dialog = nullptr;
    std::string path;
} errorShot;

void CALLBACK TakeErrorShot(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    RECT pageRect, dialogRect, both;
    GetWindowRect(errorShot.page->Handle(), &pageRect);
    GetWindowRect(errorShot.dialog->Handle(), &dialogRect);
    UnionRect(&both, &pageRect, &dialogRect);
    SaveScreen(both, errorShot.path);
    errorShot.dialog->SetModalResult(mrCancel);
}

void ShootClientError(const std::string& path) {
    InstallSettings.InstallType = itClient;
    TDirs page(nullptr);
    PlaceAsTheWizard(page);
    page.Show();
    page.RDate->SetText("Z:\\nu-exista\\Date");
    errorShot = {&page, nullptr, path};
    SetMessageDialogWatcher([](TMessageDialogForm& dialog) {
        errorShot.dialog = &dialog;
        SetTimer(nullptr, 0, 500, TakeErrorShot);
    });
    SendMessageA(page.BNext->Handle(), BM_CLICK, 0, 0);
    SetMessageDialogWatcher(nullptr);
    page.Hide();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "pages_dirs_shot FOLDER\n");
        return 2;
    }
    try {
        const std::string folder = std::string(argv[1]) + "\\";
        CreateDirectoryA(argv[1], nullptr);
        StartToolkit();
        ShootPage(itLocal, folder + "dirs_local.bmp");
        ShootPage(itServer, folder + "dirs_server.bmp");
        ShootPage(itClient, folder + "dirs_client.bmp");
        ShootClientError(folder + "dirs_client_error.bmp");
        TDirDialog picker(nullptr);
        picker.dirs->SetDirectory("C:\\windows");
        SaveShot(picker, folder + "dir_dialog.bmp");
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pages_dirs_shot: %s\n", e.what());
        return 1;
    }
}
