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
#include "tests/support/screen_shots.h"
#include "toolkit/toolkit_start.h"

#include <cstdio>
#include <string>

namespace {}  // namespace

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
        PlaceAsTheWizard(page);
        page.Show();
        Settle(400);
        SaveWindow(page.Handle(), folder + "config_idle.bmp");
        for (TPanel* step : {page.BBDE, page.BCFGSYS, page.BGROUP}) SetStepDone(*step);
        Settle(400);
        SaveWindow(page.Handle(), folder + "config_done.bmp");
        page.Hide();
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "config_shot: %s\n", e.what());
        return 1;
    }
}
