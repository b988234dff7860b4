#include "toolkit/input_look.h"

void FocusLabel::Link(TLabel* label, TWinControl& control) {
    if (label_ && label_ != label && label_->FocusControl() == &control) label_->SetFocusControl(nullptr);
    label_ = label;
    if (label_) label_->SetFocusControl(&control);
}

void FocusLabel::Enter(TColor focusColor) {
    if (!label_ || entered_) return;
    entered_ = true;
    savedColor_ = label_->Font().Color();
    savedStyle_ = label_->Font().Style();
    label_->Font().SetColor(focusColor);
}

void FocusLabel::Leave() {
    if (!label_ || !entered_) return;
    entered_ = false;
    label_->Font().SetColor(savedColor_);
    label_->Font().SetStyle(savedStyle_);
}

void FocusLabel::Forget(const TComponent* component) {
    if (component != label_) return;
    label_ = nullptr;
    entered_ = false;
}

void DrawFlatFrame(HWND window, const FlatFrame& frame, bool focused, TColor fill) {
    if (!window) return;
    RECT r;
    GetWindowRect(window, &r);
    OffsetRect(&r, -r.left, -r.top);
    gdi::WholeWindowDC dc(window);
    TCanvas canvas;
    canvas.SetHandle(dc);
    if (frame.bevel == bvNone) {
        canvas.Brush().SetColor(focused ? frame.focusColor : frame.color);
        canvas.FrameRect(r);
        InflateRect(&r, -1, -1);
    } else {
        DrawBevelFrame(canvas, r, frame.bevel == bvRaised ? bvRaised : bvLowered, 1);
    }
    canvas.Brush().SetColor(fill);
    canvas.FrameRect(r);
    canvas.SetHandle(nullptr);
}
