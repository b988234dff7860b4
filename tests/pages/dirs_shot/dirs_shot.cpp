// The destination folders page as LOCAL, SERVER and CLIENT see it, and the
// folder picker, each saved as the screen shows it, for people to look at:
//
//   pages_dirs_shot FOLDER     writes dirs_local.bmp, dirs_server.bmp,
//                              dirs_client.bmp and dir_dialog.bmp into FOLDER
#include "pages/dir_dialog.h"
#include "pages/dirs_page.h"

#include "framework/application.h"
#include "framework/filectrls.h"
#include "settings.h"
#include "toolkit/toolkit_start.h"

#include <cstdio>
#include <string>

namespace {

// Handles messages for a while, so that the windows paint and the display
// shows them before the picture is taken.
void Settle(DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        Application().ProcessMessages();
    }
}

// The whole window, frame included, as the screen shows it.
void SaveShot(TForm& form, const std::string& path) {
    form.Show();
    Settle(400);
    RECT r;
    GetWindowRect(form.Handle(), &r);
    TBitmap shot;
    shot.SetSize(r.right - r.left, r.bottom - r.top);
    gdi::WindowDC screen(nullptr);
    BitBlt(shot.Canvas().Handle(), 0, 0, shot.Width(), shot.Height(), screen, r.left, r.top, SRCCOPY);
    shot.SaveToFile(path);
    form.Hide();
}

void ShootPage(TInstallType type, const std::string& path) {
    InstallSettings.InstallType = type;
    InstallSettings.DefaultDataDir = "C:\\WinKorv\\Date";
    TDirs page(nullptr);
    // Where the wizard puts a page: centred, eight ninths of the free height above it.
    page.SetLeft((Screen().Width() - page.Width()) / 2);
    page.SetTop((Screen().Height() - page.Height()) / 9 * 8);
    SaveShot(page, path);
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
        TDirDialog picker(nullptr);
        picker.dirs->SetDirectory("C:\\windows");
        SaveShot(picker, folder + "dir_dialog.bmp");
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pages_dirs_shot: %s\n", e.what());
        return 1;
    }
}
