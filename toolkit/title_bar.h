// The painted title bar that stands in for the Windows caption on every
// toolkit form: a horizontal gradient with a shadowed caption. It has no
// window of its own; the form paints it.
#pragma once

#include "framework/control.h"

enum TIconStyle { isNone, isSearch, isDetail };
extern const NameList kIconStyleNames;

class TTitleBar : public TGraphicControl {
    DECLARE_CLASS_INFO
public:
    // Sized and styled for the owner form's resolution (96 pixels per inch
    // when the owner is no form).
    explicit TTitleBar(TComponent* owner);

    bool Grayed() const { return grayed_; }
    void SetGrayed(bool value);
    TIconStyle IconStyle() const { return iconStyle_; }
    void SetIconStyle(TIconStyle style);
    TColor CaptionColor() const { return captionColor_; }
    void SetCaptionColor(TColor color) { captionColor_ = color; }  // takes effect at the next paint
    TColor StartColor() const { return startColor_; }
    void SetStartColor(TColor color);
    TColor EndColor() const { return endColor_; }
    void SetEndColor(TColor color);

    // Where the caption goes: from TextLeft, TextWidth pixels wide.
    int TextLeft() const { return textLeft_; }
    int TextWidth() const { return textWidth_; }
    // The owner form's pixels per inch divided by 96.
    double Scale() const { return scale_; }

    void ChangeScale(int multiplier, int divisor) override;

protected:
    void Paint() override;
    void BoundsChanged() override;

private:
    void ApplyScale();
    void UpdateTextArea();
    RECT CaptionRect();  // measures with the canvas font selected
    void PaintCaption();

    bool grayed_ = false;
    TIconStyle iconStyle_ = isNone;
    TColor captionColor_ = clWhite;
    TColor startColor_ = 0x004D3004;
    TColor endColor_ = 0x00EFEFEF;
    int textLeft_ = 10, textWidth_ = 0;
    double scale_ = 1.0;
};

// Writes the title bars' start-up marks; called once by the toolkit start.
void InitTitleBars();
