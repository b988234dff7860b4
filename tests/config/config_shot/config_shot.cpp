// The configuration page before Next and once its three steps are done, each
// saved as the screen shows it, for people to look at:
//
//   config_shot FOLDER     writes config_idle.bmp and config_done.bmp
//
// The done look is given to the panels directly: the steps themselves would
// change the registry, CONFIG.SYS and the shell of whoever runs it.
#include "config/config_page.h"

#include "framework/application.h"
#include "framework/extctrls.h"
#include "toolkit/step_panel.h"
#include "toolkit/toolkit_start.h"

#include <cstdio>
#include <string>

namespace {

// Handles messages for a while, so that the page paints and the display
// shows it before the picture is taken.
void Settle(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        Application().ProcessMessages();
    }
}

// The whole window, frame included, as the screen shows it.
void SaveShot(TForm& form, const std::string& path) {
    Settle(400);
    RECT r;
    GetWindowRect(form.Handle(), &r);
    TBitmap shot;
    shot.SetSize(r.right - r.left, r.bottom - r.top);
    gdi::WindowDC screen(nullptr);
    BitBlt(shot.Canvas().Handle(), 0, 0, shot.Width(), shot.Height(), screen, r.left, r.top, SRCCOPY);
    shot.SaveToFile(path);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "config_shot FOLDER\n");
        return 2;
    }
    try {
        const std::string folder = std::string(argv[1]) + "\\";
        CreateDirectoryA(argv[1], nullptr);
        StartToolkit();
        TConfig page(nullptr);
        // Where the wizard puts a page: centred, eight ninths of the free height above it.
        page.SetLeft((Screen().Width() - page.Width()) / 2);
        page.SetTop((Screen().Height() - page.Height()) / 9 * 8);
        page.Show();
        SaveShot(page, folder + "config_idle.bmp");
        for (TPanel* step : {page.BBDE, page.BCFGSYS, page.BGROUP}) SetStepDone(*step);
        SaveShot(page, folder + "config_done.bmp");
        page.Hide();
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "config_shot: %s\n", e.what());
        return 1;
    }
}
