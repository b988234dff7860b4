// Pictures of three message dialogs as the user sees them, saved for people
// to look at: a warning with OK and Cancel, an error with Cancel, and a
// question with Yes and No. Each dialog is captured from the screen once it
// has painted, then answered.
#include "framework/application.h"
#include "framework/extctrls.h"
#include "toolkit/message_dialog.h"
#include "toolkit/toolkit_start.h"

#include <cstdio>
#include <exception>
#include <string>

namespace {

// Time for the dialog to appear and paint before the picture is taken.
constexpr int kPaintDelay = 500;

void Capture(TForm& dialog, const std::string& path) {
    RECT r;
    GetWindowRect(dialog.Handle(), &r);
    TBitmap picture;
    picture.SetSize(r.right - r.left, r.bottom - r.top);
    HDC screen = GetDC(nullptr);
    BitBlt(picture.Canvas().Handle(), 0, 0, picture.Width(), picture.Height(), screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    picture.SaveToFile(path);
}

// Watches the next dialog: captures it into path, then presses its default
// button.
void ShootNextDialog(const std::string& path) {
    SetMessageDialogWatcher([path](TMessageDialogForm& dialog) {
        auto* timer = new TTimer(&dialog);  // dies with the dialog
        timer->SetInterval(kPaintDelay);
        timer->OnTimer = [&dialog, timer, path](TObject*) {
            timer->SetEnabled(false);
            Capture(dialog, path);
            dialog.ClickDefaultButtons();
        };
    });
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: dialog_shots FOLDER\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    try {
        StartToolkit({});
        // The copy's disk prompt, with the prefix it carries.
        ShootNextDialog(folder + "dialog_warning.bmp");
        MessagePrefix = "Pentru continuare";
        RomMessageDlg("introdu discul de instalare cu numarul \r2", "", mtWarning, taCenter, {mbOK, mbCancel}, mbOK);
        MessagePrefix.clear();
        ShootNextDialog(folder + "dialog_error.bmp");
        RomMessageDlg(
            "Nu pot crea fisierul\rC:\\KORVEN\\DATE\\FIRMA.DB\r\rVerificati ca discul nu este protejat la "
            "scriere si ca are spatiu liber.",
            "", mtError, taCenter, {mbCancel}, mbCancel);
        ShootNextDialog(folder + "dialog_confirmation.bmp");
        RomMessageDlg("Baza de date a serverului trebuie actualizata.\rActualizati acum?", "", mtConfirmation, taCenter,
                      {mbYes, mbNo}, mbNo);
        SetMessageDialogWatcher(nullptr);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "dialog_shots: %s\n", e.what());
        return 1;
    }
}
