// The database upgrade page while the library works on the lists, and once
// its steps are done, each saved as the screen shows it, for people to look
// at:
//
//   upgrade_shot FOLDER     writes upgrade_step.bmp and upgrade_done.bmp
//
// The steps run for real, through the sample UPGRADE.DLL, on a scratch data
// folder named by a scratch alias store; the registry is put back after.
#include "tests/support/screen_shots.h"
#include "upgrade/upgrade_data_page.h"

#include <cstdio>
#include <string>

#include "framework/application.h"
#include "framework/extctrls.h"
#include "framework/stdctrls.h"
#include "toolkit/fmt_label.h"
#include "toolkit/mbutton.h"
#include "toolkit/toolkit_start.h"
#include "upgrade/upgrade_library.h"
#include "upgrade_test_support.h"

namespace {

// The whole window, frame included, as the screen shows it now.
void SaveShot(TForm& form, const std::string& path) {
    RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    SaveWindow(form.Handle(), path);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "upgrade_shot FOLDER\n");
        return 2;
    }
    try {
        const std::string folder = std::string(argv[1]) + "\\";
        CreateDirectoryA(argv[1], nullptr);
        ScratchFolder scratch("korven upgrade shot");
        const std::string data = scratch.File("DATA");
        CreateDirectoryA(data.c_str(), nullptr);
        AliasStoreSandbox store(scratch.File("aliases.cfg"));
        store.Define("KORVEN", data);
        if (!LoadUpgradeLibraryFrom(UPGRADE_DLL_FOLDER)) {
            std::fprintf(stderr, "upgrade_shot: UPGRADE.DLL does not load\n");
            return 1;
        }
        StartToolkit();
        TUpgData page(nullptr);
        PlaceAsTheWizard(page);
        page.Show();
        Settle(400);
        // Taken from inside a step: the timer ticks while a report lets the
        // messages through, once the library is on the lists.
        bool taken = false;
        TTimer timer(nullptr);
        timer.SetInterval(50);
        timer.OnTimer = [&](TObject*) {
            if (taken || !page.Lk2->Visible()) return;
            taken = true;
            SaveShot(page, folder + "upgrade_step.bmp");
        };
        timer.SetEnabled(true);
        page.BNext->Click();
        timer.SetEnabled(false);
        Settle(400);
        SaveShot(page, folder + "upgrade_done.bmp");
        page.Hide();
        FreeUpgradeLibrary();
        if (!taken) {
            std::fprintf(stderr, "upgrade_shot: no picture during a step\n");
            return 1;
        }
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "upgrade_shot: %s\n", e.what());
        return 1;
    }
}
