#include "toolkit/active_label.h"

#include "toolkit/accelerator.h"

namespace {

// A label shows one line of at most this many characters.
constexpr size_t kLongestCaption = 255;
constexpr TColor kAcceleratorColor = clRed;

}  // namespace

const ClassInfo& TActiveLabel::StaticClass() {
    static const ClassInfo info = ClassBuilder<TActiveLabel>("TActiveLabel", &TLabel::StaticClass()).Build();
    return info;
}

TActiveLabel::TActiveLabel(TComponent* owner) : TLabel(owner) { SetAutoSize(false); }

bool TActiveLabel::FocusControlFocused() const { return FocusControl() && FocusControl()->Focused(); }

void TActiveLabel::Paint() {
    TCanvas& canvas = Canvas();
    RECT r = ClientRect();
    if (!Transparent()) canvas.FillRect(r);
    canvas.Brush().SetStyle(bsClear);
    std::string text = Caption().substr(0, kLongestCaption);
    // Nothing to show still shows a blank, so the label keeps its line.
    if (text.empty() || text == "&") text = " ";
    if (Layout() != tlTop) {
        int h = canvas.TextHeight("Wg");
        r.top = Layout() == tlCenter ? (r.bottom - h) / 2 : r.bottom - h;
    }
    if (!Enabled()) {
        DrawEmbossedText(canvas, text, r, Alignment());
        return;
    }
    if (ShowAccelChar())
        DrawAcceleratedText(canvas, text, r, kAcceleratorColor, FocusControlFocused(), Alignment());
    else
        canvas.DrawText(text, r, TextFlags());
}

void TActiveLabel::Click() {
    TLabel::Click();
    if (TWinControl* target = FocusControl(); target && target->CanFocus()) target->SetFocus();
}

bool TActiveLabel::DialogChar(char key) {
    if (!Enabled() || !ShowAccelChar() || !FocusControl() || !FocusControl()->CanFocus()) return false;
    if (!IsAccelerator(key, Caption())) return false;
    Click();
    return true;
}
