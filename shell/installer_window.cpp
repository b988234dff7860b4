#include "shell/installer_window.h"

#include <cmath>
#include <cstdio>

#include "framework/application.h"
#include "framework/stdctrls.h"
#include "toolkit/fmt_label.h"
#include "toolkit/painted_panel.h"
#include "toolkit/toolkit_start.h"
#include "toolkit/trans_image.h"
#include "core/version.h"

namespace {
// The background tile is the top-left corner of the Background picture.
constexpr int kTile = 8;
// Panou sits this much above the middle, clear of the bottom strip.
constexpr int kPanouLift = 15;
}  // namespace

const ClassInfo& TInstaller::StaticClass() {
    static const ClassInfo info = ClassBuilder<TInstaller>("TInstaller", &TForm::StaticClass()).Build();
    return info;
}

TInstaller::TInstaller(TComponent* owner) : TForm(owner) {
    RegisterToolkitClasses();
    PublishMethod("FormShow", &TInstaller::FormShow);
    PublishMethod("FormResize", &TInstaller::FormResize);
    PublishMethod("PaintedPanel1Paint", &TInstaller::PaintedPanel1Paint);
    PublishMethod("PanouPaint", &TInstaller::PanouPaint);
    PublishField("PaintedPanel1", PaintedPanel1);
    PublishField("Panou", Panou);
    PublishField("Background", Background);
    PublishField("Label1", Label1);
    PublishField("VerLbl", VerLbl);
    LoadForm("TInstaller");
}

std::string VersionCaption(double version) {
    // "0.#0": at least one digit before the point, always two after it.
    char digits[64];
    std::snprintf(digits, sizeof digits, "%.2f", version);
    return std::string("@15% ver.") + digits;
}

void TInstaller::FormShow(TObject*) { VerLbl->SetCaption(VersionCaption(ProgramVersion)); }

void TInstaller::FormResize(TObject*) {
    const RECT client = ClientRect();
    Panou->SetBounds((client.right - Panou->Width()) / 2, (client.bottom - Panou->Height()) / 2 - kPanouLift,
                     Panou->Width(), Panou->Height());
}

void TInstaller::PaintedPanel1Paint(TObject*) { TilePanel(*PaintedPanel1); }

void TInstaller::PanouPaint(TObject*) { TilePanel(*Panou); }

void TInstaller::TilePanel(TPaintedPanel& panel) {
    TCanvas& tile = Background->Bitmap().Canvas();
    const RECT source{0, 0, kTile, kTile};
    for (int x = 0; x < panel.Width(); x += kTile)
        for (int y = 0; y < panel.Height(); y += kTile)
            panel.Canvas().CopyRect(RECT{x, y, x + kTile, y + kTile}, tile, source);
}

void TInstaller::WndProc(TMessage& message) {
    // The end of the Windows session, or the window closed from outside,
    // ends the wizard: the page on the screen counts as cancelled.
    if ((message.Msg == WM_ENDSESSION && message.WParam) || message.Msg == WM_CLOSE) {
        Application().Terminate();
        message.Result = 0;
        return;
    }
    TForm::WndProc(message);
}
