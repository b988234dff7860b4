// A window with every control of the framework, read from Gallery.kfd: a test
// program for looking at the controls, not part of the installer.
//
//   gallery              shows the window until it is closed
//   gallery --shot FILE  shows it, saves what is on the screen to FILE (.bmp),
//                        checks chosen pixels of it (exit code 2 when one
//                        is wrong) and exits
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
    void TakeShot(TBitmap& shot) {
        RECT r;
        GetClientRect(Handle(), &r);
        MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
        shot.SetSize(r.right - r.left, r.bottom - r.top);
        gdi::WindowDC screen(nullptr);
        BitBlt(shot.Canvas().Handle(), 0, 0, shot.Width(), shot.Height(), screen, r.left, r.top, SRCCOPY);
    }
};

// Points of the picture whose colour Gallery.kfd decides: a wrong one means
// a control painted in the wrong place, the wrong colour, or not at all.
int WrongPixels(TBitmap& shot) {
    struct Point {
        int x, y;
        TColor expected;
        const char* what;
    } points[] = {
        {540, 3, 0x008C4A08, "title panel"},
        {237, 270, static_cast<TColor>(ColorToRGB(clBtnFace)), "form surface"},
        {220, 50, static_cast<TColor>(ColorToRGB(clWindow)), "edit"},
        {20, 205, 0x00DFDFDF, "memo"},
        {412, 184, clNavy, "gauge, filled part"},
        {540, 184, clWhite, "gauge, empty part"},
        {410, 128, clFuchsia, "picture, its first pixel stretched"},
        {300, 300, static_cast<TColor>(ColorToRGB(clBtnShadow)), "line bevel"},
    };
    int wrong = 0;
    for (const Point& p : points) {
        TColor seen = shot.Canvas().Pixel(p.x, p.y);
        if (seen == p.expected) continue;
        std::fprintf(stderr, "gallery: %s at %d,%d is %06lX, not %06lX\n", p.what, p.x, p.y,
                     static_cast<unsigned long>(seen), static_cast<unsigned long>(p.expected));
        ++wrong;
    }
    return wrong;
}

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
            TBitmap shot;
            gallery.TakeShot(shot);
            shot.SaveToFile(argv[2]);
            return WrongPixels(shot) ? 2 : 0;
        }
        gallery.ShowModal();
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gallery: %s\n", e.what());
        return 1;
    }
}
