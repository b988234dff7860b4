// A page of the toolkit's active controls, enabled on the left and disabled
// on the right, with the first edit focused: a program for looking at them,
// not part of the installer.
//
//   active_page              shows the page until it is closed
//   active_page --shot FILE  shows it, saves what is on the screen to FILE
//                            (.bmp) and exits
#include "framework/application.h"
#include "framework/form.h"
#include "toolkit/toolkit_start.h"
#include "toolkit/active_edit.h"

#include <cstdio>
#include <cstring>

namespace {

class TActivePage : public TForm {
public:
    TActivePage() : TForm(nullptr) {
        RegisterToolkitClasses();
        PublishField("ARName", ARName);
        LoadForm("ActivePage");
    }

    TActiveEdit* ARName = nullptr;

    // What the screen shows of the window's client area.
    void SaveShot(const std::string& path) {
        RECT r;
        GetClientRect(Handle(), &r);
        MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
        TBitmap shot;
        shot.SetSize(r.right - r.left, r.bottom - r.top);
        gdi::WindowDC screen(nullptr);
        BitBlt(shot.Canvas().Handle(), 0, 0, shot.Width(), shot.Height(), screen, r.left, r.top, SRCCOPY);
        shot.SaveToFile(path);
    }
};

}  // namespace

int main(int argc, char** argv) {
    try {
        TActivePage page;
        if (argc == 3 && std::strcmp(argv[1], "--shot") == 0) {
            page.Show();
            page.ARName->SetFocus();
            // Let the page paint, and the display show it, before the
            // picture is taken: half a second of message handling.
            DWORD start = GetTickCount();
            while (GetTickCount() - start < 500) {
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
                Application().ProcessMessages();
            }
            page.SaveShot(argv[2]);
            return 0;
        }
        page.ShowModal();
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "active_page: %s\n", e.what());
        return 1;
    }
}
