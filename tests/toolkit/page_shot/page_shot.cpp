// A wizard page as the installer shows it (title bar, Back and Next with
// their glyphs above the caption, Abandon in a bevel), for looking at the
// toolkit's forms: not part of the installer.
//
//   page_shot                     shows the page until it is closed
//   page_shot --shot FILE [PPI]   shows it made for PPI pixels per inch (96
//                                 by default), saves the window as it is on
//                                 the screen to FILE (.bmp) and exits
#include "tests/support/screen_shots.h"
#include "toolkit/mbutton.h"
#include "toolkit/nice_button.h"
#include "toolkit/title_bar.h"
#include "toolkit/title_form.h"
#include "toolkit/toolkit_start.h"

#include "framework/application.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

class TWizardPage : public TTitleForm {
public:
    TWizardPage() : TTitleForm(nullptr) { LoadForm("WizardPage"); }
};

}  // namespace

int main(int argc, char** argv) {
    try {
        StartToolkit();
        TWizardPage page;
        if (argc >= 3 && std::strcmp(argv[1], "--shot") == 0) {
            int pixelsPerInch = argc >= 4 ? std::atoi(argv[3]) : 96;
            page.ScaleBy(pixelsPerInch, 96);
            page.Show();
            Settle(500);
            SaveWindow(page.Handle(), argv[2]);
            return 0;
        }
        page.ShowModal();
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "page_shot: %s\n", e.what());
        return 1;
    }
}
