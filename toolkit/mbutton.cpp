#include "toolkit/mbutton.h"

#include "framework/form.h"
#include "toolkit/accelerator.h"
#include "toolkit/accelerator_text.h"
#include "toolkit/glyph_drawing.h"
#include "toolkit/glyph_set.h"
#include "toolkit/mtoolbar.h"
#include "toolkit/paint_guard.h"

const NameList kButtonStyleNames = {"bsAutoDetect", "bsWin31", "bsNew"};

namespace {

constexpr TColor kAccelerator = clRed;
constexpr TColor kOldStyleFrame = 0x00404040;

TMToolbar* ToolbarOf(const TControl& control) { return dynamic_cast<TMToolbar*>(control.Parent()); }

}  // namespace

const ClassInfo& TMButton::StaticClass() {
    static const ClassInfo info =
        ClassBuilder<TMButton>("TMButton", &TButton::StaticClass())
            .Color("Color", &TControl::SetColor, &TControl::Color)
            .Integer("ModalResult", &TMButton::SetModalResult,
                     static_cast<int (TMButton::*)() const>(&TMButton::ModalResult), &kModalResultNames)
            .Color("ColorOver", &TMButton::SetColorOver, &TMButton::ColorOver)
            .Boolean("LightButton", &TMButton::SetLightButton, &TMButton::LightButton)
            .Custom("Glyph", [](TMButton& b, const PropValue& v) { LoadBitmapValue(b.Glyph(), v); })
            .Boolean("CaptionVisible", &TMButton::SetCaptionVisible, &TMButton::CaptionVisible)
            .Enumeration("Kind", kButtonKindNames, &TMButton::SetKind, &TMButton::Kind)
            .Enumeration("Style", kButtonStyleNames, &TMButton::SetStyle, &TMButton::Style)
            .Integer("Delta", &TMButton::SetDelta, &TMButton::Delta)
            .Integer("Margin", &TMButton::SetMargin, &TMButton::Margin)
            .Integer("Spacing", &TMButton::SetSpacing, &TMButton::Spacing)
            .Integer("NumGlyphs", &TMButton::SetNumGlyphs, &TMButton::NumGlyphs)
            .Enumeration("ButtonLayout", kButtonLayoutNames, &TMButton::SetButtonLayout, &TMButton::ButtonLayout)
            .Build();
    return info;
}

TMButton::TMButton(TComponent* owner) : TButton(owner) {
    SetBounds(0, 0, KindInfo(mkCustom).width, 40);
    SetDoubleBuffered(true);
    glyph_.OnChange = [this] { Invalidate(); };
}

TMButton::~TMButton() {
    if (TMToolbar* toolbar = ToolbarOf(*this)) toolbar->Forget(this);
}

void TMButton::SetModalResult(int result) {
    modalResultChosen_ = true;
    TButton::SetModalResult(result);
}

void TMButton::SetColorOver(TColor color) {
    colorOver_ = color;
    Invalidate();
}

void TMButton::SetLightButton(bool value) {
    lightButton_ = value;
    Invalidate();
}

void TMButton::SetCaptionVisible(bool value) {
    captionVisible_ = value;
    Invalidate();
}

void TMButton::SetKind(TMButtonKind kind) {
    if (kind == kind_) return;
    TMButtonKind old = kind_;
    kind_ = kind;
    const ButtonKindInfo& info = KindInfo(kind);
    if (KindHidesCaption(kind)) captionVisible_ = false;
    if (Caption().empty()) SetCaption(std::string(info.caption));
    if (!modalResultChosen_) TButton::SetModalResult(info.modalResult);
    // A description gives its own width; a button made in code takes the kind's.
    if (!IsLoading()) SetWidth(info.width);
    if (TMToolbar* toolbar = ToolbarOf(*this)) toolbar->Place(this, old);
    Invalidate();
}

void TMButton::SetStyle(TButtonStyle style) {
    style_ = style;
    Invalidate();
}

void TMButton::SetMargin(int value) {
    margin_ = value;
    Invalidate();
}

void TMButton::SetSpacing(int value) {
    spacing_ = value;
    Invalidate();
}

void TMButton::SetNumGlyphs(int value) {
    numGlyphs_ = value;
    Invalidate();
}

void TMButton::SetButtonLayout(TButtonLayout layout) {
    layout_ = layout;
    Invalidate();
}

void TMButton::SetParent(TWinControl* parent) {
    if (TMToolbar* toolbar = ToolbarOf(*this)) toolbar->Forget(this);
    TButton::SetParent(parent);
    if (TMToolbar* toolbar = ToolbarOf(*this)) toolbar->Place(this, kind_);
}

void TMButton::Click() {
    TButton::Click();
    if (TMToolbar* toolbar = ToolbarOf(*this)) toolbar->ButtonClicked(kind_);
}

void TMButton::EnabledChanged() {
    TButton::EnabledChanged();
    Invalidate();
}

void TMButton::SetHot(bool hot) {
    if (hot == hot_) return;
    hot_ = hot;
    Invalidate();
}

void TMButton::MouseEnter() {
    TButton::MouseEnter();
    // The focus follows the mouse from one light button to the next.
    if (lightButton_ && !Focused())
        if (auto* focused = dynamic_cast<TMButton*>(FindControl(GetFocus())); focused && focused->LightButton())
            SetFocus();
    SetHot(true);
}

void TMButton::MouseLeave() {
    TButton::MouseLeave();
    if (!Focused()) SetHot(false);
}

void TMButton::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_SETFOCUS: SetHot(true); break;
    case WM_KILLFOCUS: SetHot(false); break;
    }
    TButton::WndProc(message);
}

bool TMButton::DrawItem(const DRAWITEMSTRUCT& item) {
    GuardedPaint(*this, [&] {
        DrawState state{(item.itemState & ODS_SELECTED) != 0, (item.itemState & ODS_FOCUS) != 0,
                        (item.itemState & ODS_DISABLED) == 0 && Enabled()};
        // Drawn whole off screen, then copied: no flicker while hot changes.
        TBitmap buffer;
        buffer.SetSize(Width(), Height());
        Paint(buffer.Canvas(), state);
        BitBlt(item.hDC, 0, 0, Width(), Height(), buffer.Canvas().Handle(), 0, 0, SRCCOPY);
    });
    return true;
}

TBitmap& TMButton::GlyphInUse() { return glyph_.Empty() ? ButtonGlyph(kind_) : glyph_; }

void TMButton::PaintFace(TCanvas& canvas, const DrawState& state, bool bold) {
    RECT r = ClientRect();
    HDC dc = canvas.Handle();
    if (style_ != bsWin31) {
        DrawEdge(dc, &r, state.pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        return;
    }
    // The old look: a dark frame with its corners cut, doubled for the
    // focused or default button, raised inside or, pressed, a shadow line.
    canvas.Pen().SetColor(kOldStyleFrame);
    int w = r.right, h = r.bottom;
    canvas.MoveTo(1, 0);
    canvas.LineTo(w - 1, 0);
    canvas.MoveTo(w - 1, 1);
    canvas.LineTo(w - 1, h - 1);
    canvas.MoveTo(w - 2, h - 1);
    canvas.LineTo(0, h - 1);
    canvas.MoveTo(0, h - 2);
    canvas.LineTo(0, 0);
    RECT inner{1, 1, w - 1, h - 1};
    if (bold) {
        canvas.Brush().SetColor(kOldStyleFrame);
        canvas.FrameRect(inner);
        InflateRect(&inner, -1, -1);
    }
    if (state.pressed) {
        canvas.Pen().SetColor(clBtnShadow);
        canvas.MoveTo(inner.left, inner.bottom - 1);
        canvas.LineTo(inner.left, inner.top);
        canvas.LineTo(inner.right, inner.top);
    } else {
        DrawEdge(dc, &inner, BDR_RAISEDINNER, BF_RECT);
    }
}

void TMButton::Paint(TCanvas& canvas, const DrawState& state) {
    const bool newStyle = style_ != bsWin31;
    const bool withFace = !lightButton_ || hot_;
    const bool focusedOrDefault = state.focused || Default();
    canvas.Font().Assign(Font());
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(withFace ? colorOver_ : Color());
    canvas.FillRect(ClientRect());
    if (withFace) PaintFace(canvas, state, !lightButton_ && focusedOrDefault);
    if (!lightButton_ && newStyle && focusedOrDefault) canvas.Font().SetStyle(canvas.Font().Style() | fsBold);

    TBitmap& strip = GlyphInUse();
    LayoutSize glyph = GlyphFrameSize(strip, numGlyphs_);
    std::string caption = captionVisible_ ? Caption() : std::string();
    LayoutSize text;
    if (std::string shown = StripAccelerator(caption); !shown.empty()) {
        SIZE extent = canvas.TextExtent(shown);
        text = {extent.cx, extent.cy};
    }
    ButtonLayoutResult at = LayOutButton({{Width(), Height()}, glyph, text, margin_, spacing_, layout_});

    int frame = !state.enabled ? 1 : state.pressed ? 2 : 0;
    DrawGlyphFrame(canvas, strip, numGlyphs_, frame, at.glyph.x, at.glyph.y);

    RECT place{at.caption.x, at.caption.y, at.caption.x + text.width, at.caption.y + text.height};
    if (!text.Empty()) {
        if (state.enabled)
            DrawAcceleratedText(canvas, caption, place, kAccelerator, state.focused);
        else
            DrawEmbossedText(canvas, caption, place);
    }

    if (!lightButton_ && state.focused) {
        RECT focus = ClientRect();
        if (newStyle) {
            InflateRect(&focus, -2, -2);
            if (state.pressed) OffsetRect(&focus, -1, -1);
        } else {
            focus = place;
            InflateRect(&focus, 1, 1);
        }
        canvas.Font().SetColor(clBlack);
        SetTextColor(canvas.Handle(), RGB(0, 0, 0));
        DrawFocusRect(canvas.Handle(), &focus);
    }
}
