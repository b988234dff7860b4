// A window with every control of the framework, read from Gallery.kfd: a test
// program for looking at the controls, not part of the installer.
//
//   gallery              shows the window until it is closed
//   gallery --shot FILE  shows it, saves what is on the screen to FILE (.bmp)
//                        and exits
#include "framework/application.h"
#include "framework/extctrls.h"
#include "framework/filectrls.h"
#include "framework/form.h"

#include <cstdio>
#include <cstring>

namespace {

class TGallery : public TForm {
public:
    TGallery() : TForm(nullptr) {
        PublishMethod("FormCreate", &TGallery::FormCreate);
        PublishMethod("SpinTimer", &TGallery::SpinTimer);
        PublishField("Progress", Progress);
        PublishField("Dirs", Dirs);
        LoadForm("Gallery");
    }

    TGauge* Progress = nullptr;
    TDirectoryListBox* Dirs = nullptr;

    void FormCreate(TObject*) {
        char windows[MAX_PATH];
        GetWindowsDirectoryA(windows, sizeof(windows));
        Dirs->SetDirectory(windows);
    }
    void SpinTimer(TObject*) { Progress->SetProgress((Progress->Progress() + 5) % 105); }

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
        TGallery gallery;
        if (argc == 3 && std::strcmp(argv[1], "--shot") == 0) {
            gallery.Show();
            // Let the window and its controls paint, and the display show it,
            // before the picture is taken: half a second of message handling.
            DWORD start = GetTickCount();
            while (GetTickCount() - start < 500) {
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
                Application().ProcessMessages();
            }
            gallery.SaveShot(argv[2]);
            return 0;
        }
        gallery.ShowModal();
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gallery: %s\n", e.what());
        return 1;
    }
}
