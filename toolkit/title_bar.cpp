#include "toolkit/title_bar.h"

#include "framework/application.h"
#include "framework/form.h"
#include "toolkit/glyph_set.h"
#include "toolkit/gradients.h"
#include "toolkit/toolkit_log.h"

#include <cmath>
#include <exception>

const NameList kIconStyleNames = {"isNone", "isSearch", "isDetail"};

namespace {

constexpr UINT kCaptionFlags = DT_LEFT | DT_NOPREFIX;

}  // namespace

const ClassInfo& TTitleBar::StaticClass() {
    static const ClassInfo info =
        ClassBuilder<TTitleBar>("TTitleBar", &TGraphicControl::StaticClass())
            .String("Caption", &TControl::SetCaption, &TControl::Caption)
            .Object("Font", &TControl::Font)
            .Boolean("Grayed", &TTitleBar::SetGrayed, &TTitleBar::Grayed)
            .Enumeration("IconStyle", kIconStyleNames, &TTitleBar::SetIconStyle, &TTitleBar::IconStyle)
            .Color("CaptionColor", &TTitleBar::SetCaptionColor, &TTitleBar::CaptionColor)
            .Color("StartColor", &TTitleBar::SetStartColor, &TTitleBar::StartColor)
            .Color("EndColor", &TTitleBar::SetEndColor, &TTitleBar::EndColor)
            .Build();
    return info;
}

TTitleBar::TTitleBar(TComponent* owner) : TGraphicControl(owner) {
    const auto* form = dynamic_cast<const TForm*>(owner);
    int pixelsPerInch = form ? form->PixelsPerInch() : 96;
    scale_ = pixelsPerInch / 96.0;
    Font().SetName("Ms Sans Serif");
    Font().SetStyle(fsBold);
    Font().SetHeight(-MulDiv(scale_ == 1.0 ? 10 : 11, pixelsPerInch, 72));
    Font().SetColor(clBlack);
    SetColor(clActiveCaption);
    SetBounds(0, 0, Width(), static_cast<int>(std::lround(25 * scale_)));
}

void TTitleBar::SetGrayed(bool value) {
    if (value == grayed_) return;
    grayed_ = value;
    if (!Showing() || !Parent() || !Parent()->HandleAllocated()) return;
    // Only the caption changes colour: the gradient around it stays.
    RECT area{Left() + textLeft_, Top(), Left() + textLeft_ + textWidth_ + 1, Top() + Height()};
    InvalidateRect(Parent()->HandleIfAllocated(), &area, FALSE);
}

void TTitleBar::SetIconStyle(TIconStyle style) {
    if (style == iconStyle_) return;
    iconStyle_ = style;
    UpdateTextArea();
    Invalidate();
}

void TTitleBar::SetStartColor(TColor color) {
    startColor_ = color;
    Invalidate();
}

void TTitleBar::SetEndColor(TColor color) {
    endColor_ = color;
    Invalidate();
}

void TTitleBar::ChangeScale(int multiplier, int divisor) {
    TGraphicControl::ChangeScale(multiplier, divisor);
    if (divisor != 0) scale_ = scale_ * multiplier / divisor;
}

void TTitleBar::BoundsChanged() {
    UpdateTextArea();
    TGraphicControl::BoundsChanged();
}

void TTitleBar::UpdateTextArea() {
    // The bar keeps the toolkit's icon image's room free (without painting it).
    textLeft_ = iconStyle_ == isNone ? 10 : GlyphHolder().Picture("IconFace").Width() / 2 + 15;
    textWidth_ = Width() - textLeft_ - 10;
}

void TTitleBar::Paint() {
    if (Width() <= 0 || Height() <= 0) return;
    try {
        TCanvas& canvas = Canvas();
        if (!HighColorDisplay) {
            canvas.Brush().SetColor(Color());
            canvas.FillRect(ClientRect());
        } else {
            auto start = static_cast<TColor>(ColorToRGB(startColor_));
            auto end = static_cast<TColor>(ColorToRGB(endColor_));
            for (const ColorRun& run : TitleBarRuns(start, end, Width())) {
                canvas.Brush().SetColor(run.color);
                canvas.FillRect(RECT{run.left, 0, run.right, Height()});
            }
        }
        PaintCaption();
    } catch (const std::exception& e) {
        ReportPaintFailure("TTitleBar " + Name(), e.what());
    }
}

RECT TTitleBar::CaptionRect() {
    RECT measured{0, 0, Screen().Width() / 2, 0};
    Canvas().DrawText(Caption(), measured, kCaptionFlags | DT_CENTER | DT_CALCRECT);
    int h = measured.bottom - measured.top;
    int x = textLeft_ + static_cast<int>(std::lround(5 * scale_));
    int y = (Height() - h) / 2;
    return RECT{x, y, x + textWidth_, y + h + y};
}

void TTitleBar::PaintCaption() {
    if (Caption().empty()) return;
    TCanvas& canvas = Canvas();
    canvas.Brush().SetStyle(bsClear);
    RECT r = CaptionRect();
    canvas.Font().SetColor(Font().Color());  // the shadow
    canvas.DrawText(Caption(), r, kCaptionFlags);
    OffsetRect(&r, scale_ == 1.0 ? -1 : -2, -1);
    canvas.Font().SetColor(grayed_ ? clBtnShadow : captionColor_);
    canvas.DrawText(Caption(), r, kCaptionFlags);
}

void InitTitleBars() {
    // No title bar skins ship with this program: every bar paints its
    // gradient. The marks stay so that a log shows the toolkit started.
    ToolkitLogBegin("Title init");
    ToolkitLogEnd("Title init");
}
