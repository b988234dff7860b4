#include "toolkit/active_edit.h"

#include "toolkit/font_metrics.h"
#include "toolkit/paint_guard.h"

#include <algorithm>

namespace {

constexpr TColor kDisabledText = 0x00808080;

}  // namespace

const ClassInfo& TActiveEdit::StaticClass() {
    static const ClassInfo info =
        ClassBuilder<TActiveEdit>("TActiveEdit", &TEdit::StaticClass())
            .Enumeration("Alignment", kAlignmentNames, &TActiveEdit::SetAlignment, &TActiveEdit::Alignment)
            .Reference("AssocLabel", &TActiveEdit::SetAssocLabel)
            .Color("LabelColor", &TActiveEdit::SetLabelColor, &TActiveEdit::LabelColor)
            .Color("BorderColor", &TActiveEdit::SetBorderColor, &TActiveEdit::BorderColor)
            .Color("BorderColorF", &TActiveEdit::SetBorderColorF, &TActiveEdit::BorderColorF)
            .Boolean("FlatStyle", &TActiveEdit::SetFlatStyle, &TActiveEdit::FlatStyle)
            .Enumeration("BevelOuter", kBevelCutNames, &TActiveEdit::SetBevelOuter, &TActiveEdit::BevelOuter)
            .Build();
    return info;
}

TActiveEdit::TActiveEdit(TComponent* owner) : TEdit(owner) { UpdateTextMargin(); }

void TActiveEdit::SetAlignment(TAlignment alignment) {
    alignment_ = savedAlignment_ = alignment;
    RecreateWnd();
}

void TActiveEdit::SetBorderColor(TColor color) {
    frame_.color = color;
    RecreateWnd();
}

void TActiveEdit::SetBorderColorF(TColor color) {
    frame_.focusColor = color;
    RecreateWnd();
}

void TActiveEdit::SetFlatStyle(bool value) {
    flatStyle_ = value;
    RecreateWnd();
}

void TActiveEdit::SetBevelOuter(TBevelCut cut) {
    frame_.bevel = cut;
    RecreateWnd();
}

// A quarter of the smaller of the system font and our own.
void TActiveEdit::UpdateTextMargin() {
    textMargin_ = std::min(SystemFontHeight(), static_cast<int>(FontMetrics(Font()).tmHeight)) / 4;
}

void TActiveEdit::FontChanged() {
    UpdateTextMargin();
    TEdit::FontChanged();
}

void TActiveEdit::DoEnter() {
    focused_ = true;
    TEdit::DoEnter();
    savedAlignment_ = alignment_;
    alignment_ = taLeftJustify;
    label_.Enter(labelColor_);
    Refresh();
}

void TActiveEdit::DoExit() {
    TEdit::DoExit();
    alignment_ = savedAlignment_;
    focused_ = false;
    label_.Leave();
    Refresh();
}

void TActiveEdit::Refresh() {
    Invalidate();
    if (HandleAllocated() && HasFlatFrame()) DrawFlatFrame(HandleIfAllocated(), frame_, focused_, Color());
}

void TActiveEdit::Notification(TComponent* component, bool removing) {
    TEdit::Notification(component, removing);
    if (removing) label_.Forget(component);
}

void TActiveEdit::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT:
        if (alignment_ == taLeftJustify || focused_) break;
        // An edit that cannot draw its text stays blank rather than asking
        // to be painted again and again.
        GuardedPaint(*this, [&] { PaintAlignedText(); });
        ValidateRect(HandleIfAllocated(), nullptr);
        return;
    case WM_NCPAINT:
        TEdit::WndProc(m);
        if (HasFlatFrame()) DrawFlatFrame(HandleIfAllocated(), frame_, focused_, Color());
        return;
    default: break;
    }
    TEdit::WndProc(m);
}

// The system's edit draws its text on the left only; right and centred text
// is placed here while the edit is not being typed into.
void TActiveEdit::PaintAlignedText() {
    gdi::PaintDC paint(HandleIfAllocated());
    TCanvas canvas;
    canvas.SetHandle(paint);
    RECT r;
    GetClientRect(HandleIfAllocated(), &r);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(r);
    canvas.Font().Assign(Font());
    if (!Enabled()) canvas.Font().SetColor(kDisabledText);
    std::string text = Text();
    if (PasswordChar()) text.assign(text.size(), PasswordChar());
    int d = 0;
    if (BorderStyle() != bsNone) {
        InflateRect(&r, -1, -1);
        d = textMargin_ - 2;
    }
    int width = canvas.TextWidth(text);
    int x = alignment_ == taRightJustify ? r.right - width - d : (r.left + r.right - width) / 2;
    canvas.Brush().SetStyle(bsClear);
    canvas.TextOut(x, d, text);
    canvas.SetHandle(nullptr);
}
