// A wizard page as the installer shows it (title bar, Back and Next with
// their glyphs above the caption, Abandon in a bevel), for looking at the
// toolkit's forms: not part of the installer.
//
//   page_shot                     shows the page until it is closed
//   page_shot --shot FILE [PPI]   shows it made for PPI pixels per inch (96
//                                 by default), saves the window as it is on
//                                 the screen to FILE (.bmp) and exits
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

    // The whole window, frame included, as the screen shows it.
    void SaveShot(const std::string& path) {
        RECT r;
        GetWindowRect(Handle(), &r);
        TBitmap shot;
        shot.SetSize(r.right - r.left, r.bottom - r.top);
        gdi::WindowDC screen(nullptr);
        BitBlt(shot.Canvas().Handle(), 0, 0, shot.Width(), shot.Height(), screen, r.left, r.top, SRCCOPY);
        shot.SaveToFile(path);
    }
};

// Handles messages for a while, so that the windows paint and the display
// shows them before the picture is taken.
void Settle(DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        Application().ProcessMessages();
    }
}

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
            page.SaveShot(argv[2]);
            return 0;
        }
        page.ShowModal();
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "page_shot: %s\n", e.what());
        return 1;
    }
}
