#include "toolkit/nice_button.h"

#include "framework/form.h"
#include "toolkit/accelerator.h"
#include "toolkit/accelerator_text.h"
#include "toolkit/glyph_drawing.h"
#include "toolkit/glyph_set.h"
#include "toolkit/mtoolbar.h"
#include "toolkit/paint_guard.h"

#include <windowsx.h>

#include <algorithm>

namespace {

constexpr int kGlyphZone = 35;       // room on the left for the glyph
constexpr int kGlyphRight = 34;      // right edge of the glyph beside a caption
constexpr int kInsideGlyphLeft = 4;  // left edge of the glyph drawn inside the face
constexpr int kSkinColumns = 9;
constexpr UINT_PTR kFlashTimer = 1;
constexpr TColor kAccent = clRed;

TNiceButton* hotButton = nullptr;  // not owned; cleared when that button goes

TMToolbar* ToolbarOf(const TControl& control) { return dynamic_cast<TMToolbar*>(control.Parent()); }

TBitmap& Skin() { return GlyphHolder().Picture("ButtonFaceVTQ"); }

}  // namespace

const ClassInfo& TNiceButton::StaticClass() {
    static const ClassInfo info =
        ClassBuilder<TNiceButton>("TNiceButton", &TButton::StaticClass())
            .Color("Color", &TControl::SetColor, &TControl::Color)
            .Integer("ModalResult", &TNiceButton::SetModalResult,
                     static_cast<int (TNiceButton::*)() const>(&TNiceButton::ModalResult), &kModalResultNames)
            .Boolean("CaptionVisible", &TNiceButton::SetCaptionVisible, &TNiceButton::CaptionVisible)
            .Custom("Glyph", [](TNiceButton& b, const PropValue& v) { LoadBitmapValue(b.Glyph(), v); })
            .Enumeration("Kind", kButtonKindNames, &TNiceButton::SetKind, &TNiceButton::Kind)
            .Boolean("ForcedDown", &TNiceButton::SetForcedDown, &TNiceButton::ForcedDown)
            .Integer("NumGlyphs", &TNiceButton::SetNumGlyphs, &TNiceButton::NumGlyphs)
            .Enumeration("ButtonLayout", kButtonLayoutNames, &TNiceButton::SetButtonLayout, &TNiceButton::ButtonLayout)
            .Boolean("InsideDraw", &TNiceButton::SetInsideDraw, &TNiceButton::InsideDraw)
            .Boolean("Stretch", &TNiceButton::SetStretch, &TNiceButton::Stretch)
            .Boolean("Buffered", &TNiceButton::SetBuffered, &TNiceButton::Buffered)
            .Build();
    return info;
}

TNiceButton::TNiceButton(TComponent* owner) : TButton(owner) {
    SetBounds(0, 0, 100, 28);
    SetDoubleBuffered(true);
    SetParentColor(true);
    glyph_.OnChange = [this] { Changed(); };
}

TNiceButton::~TNiceButton() {
    if (hotButton == this) hotButton = nullptr;
    if (TMToolbar* toolbar = ToolbarOf(*this)) toolbar->Forget(this);
}

TNiceButton* TNiceButton::HotButton() { return hotButton; }

void TNiceButton::SetText(const std::string& text) {
    if (!applyingKind_) captionChosen_ = true;
    TButton::SetText(text);
}

void TNiceButton::SetModalResult(int result) {
    modalResultChosen_ = true;
    TButton::SetModalResult(result);
}

void TNiceButton::SetCaptionVisible(bool value) {
    captionVisible_ = value;
    Changed();
}

void TNiceButton::SetKind(TMButtonKind kind) {
    if (kind == kind_) return;
    TMButtonKind old = kind_;
    kind_ = kind;
    const ButtonKindInfo& info = KindInfo(kind);
    if (!modalResultChosen_) TButton::SetModalResult(info.modalResult);
    if (!captionChosen_) {
        applyingKind_ = true;
        SetCaption(std::string(info.caption));
        applyingKind_ = false;
    }
    if (TMToolbar* toolbar = ToolbarOf(*this)) toolbar->Place(this, old);
    Changed();
}

void TNiceButton::SetForcedDown(bool value) {
    if (value == forcedDown_) return;
    forcedDown_ = value;
    Invalidate();
}

void TNiceButton::SetNumGlyphs(int value) {
    numGlyphs_ = value;
    Changed();
}

void TNiceButton::SetInsideDraw(bool value) {
    insideDraw_ = value;
    Changed();
}

void TNiceButton::SetStretch(bool value) {
    stretch_ = value;
    Changed();
}

void TNiceButton::SetBuffered(bool value) {
    buffered_ = value;
    Changed();
}

void TNiceButton::Changed() {
    for (auto& face : faces_) face.reset();
    Invalidate();
}

void TNiceButton::TextChanged() {
    TButton::TextChanged();
    Changed();
}

void TNiceButton::FontChanged() {
    TButton::FontChanged();
    Changed();
}

void TNiceButton::ColorChanged() {
    TButton::ColorChanged();
    Changed();
}

void TNiceButton::EnabledChanged() {
    TButton::EnabledChanged();
    if (!Enabled()) SetHot(false);
    Changed();
}

void TNiceButton::BoundsChanged() {
    TButton::BoundsChanged();
    Changed();
}

void TNiceButton::SetParent(TWinControl* parent) {
    if (TMToolbar* toolbar = ToolbarOf(*this)) toolbar->Forget(this);
    TButton::SetParent(parent);
    if (TMToolbar* toolbar = ToolbarOf(*this)) toolbar->Place(this, kind_);
}

void TNiceButton::SetHot(bool hot) {
    if (hot == hot_) return;
    hot_ = hot;
    if (hot) {
        if (hotButton && hotButton != this) hotButton->SetHot(false);
        hotButton = this;
    } else if (hotButton == this) {
        hotButton = nullptr;
    }
    Invalidate();
}

void TNiceButton::Click() {
    if (!clickByMouse_) {
        // Keyboard, accelerator, default or cancel key: flash the pressed face.
        SetForcedDown(true);
        if (HWND window = HandleIfAllocated()) {
            SetTimer(window, kFlashTimer, kFlashMilliseconds, nullptr);
            UpdateWindow(window);
        }
    }
    TButton::Click();
    if (TMToolbar* toolbar = ToolbarOf(*this)) toolbar->ButtonClicked(kind_);
    if (Focused()) SetHot(true);
}

void TNiceButton::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_NCHITTEST:
        TButton::WndProc(message);
        if (message.Result == HTCLIENT && !stretch_) {
            POINT p{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
            ScreenToClient(HandleIfAllocated(), &p);
            if (!AnswersMouseAt(p)) message.Result = HTTRANSPARENT;
        }
        return;
    case WM_SETFOCUS: SetHot(true); break;
    case WM_KILLFOCUS: SetHot(false); break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: mouseDown_ = true; break;
    case WM_LBUTTONUP:
        clickByMouse_ = mouseDown_;
        mouseDown_ = false;
        TButton::WndProc(message);
        clickByMouse_ = false;
        return;
    case WM_TIMER:
        if (message.WParam == kFlashTimer) {
            KillTimer(HandleIfAllocated(), kFlashTimer);
            SetForcedDown(false);
            return;
        }
        break;
    }
    TButton::WndProc(message);
}

void TNiceButton::MouseOver() {
    if (!Enabled()) return;
    SetHot(true);
    if (auto* focused = dynamic_cast<TNiceButton*>(FindControl(GetFocus())); focused && focused != this) SetFocus();
}

void TNiceButton::MouseEnter() {
    TButton::MouseEnter();
    MouseOver();
}

void TNiceButton::MouseMove(TShiftState shift, int x, int y) {
    MouseOver();
    TButton::MouseMove(shift, x, y);
}

void TNiceButton::MouseLeave() {
    TButton::MouseLeave();
    if (!Focused()) SetHot(false);
}

TBitmap& TNiceButton::GlyphInUse() { return kind_ == mkCustom ? glyph_ : NiceButtonGlyph(kind_); }

int TNiceButton::GlyphZone() {
    return insideDraw_ || GlyphFrameSize(GlyphInUse(), numGlyphs_).Empty() ? 0 : kGlyphZone;
}

RECT TNiceButton::FaceBand() {
    if (stretch_) return ClientRect();
    int skinHeight = Skin().Height();
    int top = (Height() - skinHeight) / 2;
    return {0, top, Width(), top + skinHeight};
}

bool TNiceButton::AnswersMouseAt(POINT p) {
    LayoutSize glyph = GlyphFrameSize(GlyphInUse(), numGlyphs_);
    if (!glyph.Empty()) {
        int left = captionVisible_ ? (insideDraw_ ? kInsideGlyphLeft : kGlyphRight - glyph.width)
                                   : (kGlyphZone - glyph.width) / 2;
        int top = (Height() - glyph.height) / 2;
        if (p.x >= left && p.x < left + glyph.width && p.y >= top && p.y < top + glyph.height) return true;
    }
    RECT band = FaceBand();
    band.left = glyph.Empty() ? 0 : kGlyphZone;
    return PtInRect(&band, p) != 0;
}

TNiceButton::Face TNiceButton::CurrentFace() const {
    if (!Enabled()) return fDisabled;
    if (forcedDown_ || selected_) return fPressed;
    return hot_ ? fHot : fNormal;
}

bool TNiceButton::DrawItem(const DRAWITEMSTRUCT& item) {
    selected_ = (item.itemState & ODS_SELECTED) != 0;
    GuardedPaint(*this, [&] {
        Face face = CurrentFace();
        TBitmap scratch;
        TBitmap* source = &scratch;
        if (buffered_ && faces_[face]) {
            source = faces_[face].get();
        } else {
            if (buffered_) {
                faces_[face] = std::make_unique<TBitmap>();
                source = faces_[face].get();
            }
            source->SetSize(Width(), Height());
            PaintFace(source->Canvas(), face);
        }
        BitBlt(item.hDC, 0, 0, Width(), Height(), source->Canvas().Handle(), 0, 0, SRCCOPY);
    });
    return true;
}

void TNiceButton::PaintSkin(TCanvas& canvas, TBitmap& skin, int left, int column, Face face) {
    const int first = face == fHot ? 3 : face == fPressed ? 6 : 0;
    const int skinHeight = skin.Height();
    const RECT band = FaceBand();
    // One column of the skin at x, `width` wide: its full height at the band,
    // or with Stretch its top and bottom thirds kept and the middle repeated.
    auto drawColumn = [&](int index, int x, int width) {
        int sx = (first + index) * column;
        if (!stretch_) {
            canvas.DrawTransparent(x, band.top, skin, {sx, 0, sx + width, skinHeight});
            return;
        }
        int edge = skinHeight / 3, middle = skinHeight - 2 * edge;
        canvas.DrawTransparent(x, 0, skin, {sx, 0, sx + width, edge});
        canvas.DrawTransparent(x, Height() - edge, skin, {sx, skinHeight - edge, sx + width, skinHeight});
        if (middle <= 0) return;
        for (int y = edge; y < Height() - edge; y += middle) {
            int h = std::min(middle, Height() - edge - y);
            canvas.DrawTransparent(x, y, skin, {sx, edge, sx + width, edge + h});
        }
    };
    const int right = Width() - column;
    drawColumn(0, left, column);
    for (int x = left + column; x < right; x += column) drawColumn(1, x, std::min(column, right - x));
    drawColumn(2, right, column);
}

void TNiceButton::PaintFace(TCanvas& canvas, Face face) {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(ClientRect());
    TBitmap& skin = Skin();
    const int column = skin.Width() / kSkinColumns;
    if (skin.Empty() || column == 0) return;

    TBitmap& glyph = GlyphInUse();
    const LayoutSize frameSize = GlyphFrameSize(glyph, numGlyphs_);
    const int zone = GlyphZone();
    const bool hot = face == fHot || face == fPressed;

    if (captionVisible_) {
        PaintSkin(canvas, skin, insideDraw_ ? 0 : zone, column, face);
        canvas.Font().Assign(Font());
        canvas.Font().SetStyle(Font().Style() | fsBold);
        std::string caption = Caption();
        int textHeight = canvas.TextHeight("Wg");
        RECT band = FaceBand();
        int left = insideDraw_ ? textHeight + 4 + column / 2 : zone + column / 2;
        int top = band.top + (band.bottom - band.top - textHeight) / 2;
        RECT place{left, top, Width() - column / 2, top + textHeight};
        if (face == fPressed) OffsetRect(&place, 1, 1);
        if (face == fDisabled) {
            DrawEmbossedText(canvas, caption, place, taCenter);
        } else {
            if (hot) canvas.Font().SetColor(kAccent);
            DrawAcceleratedText(canvas, caption, place, kAccent, Focused(), taCenter);
        }
    }

    if (frameSize.Empty()) return;
    int frame = face == fDisabled ? 1 : (hot && numGlyphs_ > 2) ? numGlyphs_ - 1 : 0;
    if (stretch_ && !captionVisible_) {
        StretchGlyphFrame(canvas, glyph, numGlyphs_, frame, ClientRect());
        return;
    }
    int x = captionVisible_ ? (insideDraw_ ? kInsideGlyphLeft : kGlyphRight - frameSize.width)
                            : (kGlyphZone - frameSize.width) / 2;
    DrawGlyphFrame(canvas, glyph, numGlyphs_, frame, x, (Height() - frameSize.height) / 2);
}
