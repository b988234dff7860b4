// TMButton: the toolkit's flat owner-drawn push button with a glyph and a
// caption laid out like a bitmap button. A light button shows a face only
// while hot (under the mouse or focused); its kind gives it a caption, modal
// result, width and glyph.
#pragma once

#include "framework/stdctrls.h"
#include "toolkit/button_kinds.h"
#include "toolkit/button_layout.h"

enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };
extern const NameList kButtonStyleNames;

class TMButton : public TButton {
    DECLARE_CLASS_INFO
public:
    explicit TMButton(TComponent* owner);
    ~TMButton() override;

    // Set by the form: the kind no longer supplies it.
    void SetModalResult(int result);
    TColor ColorOver() const { return colorOver_; }
    void SetColorOver(TColor color);
    bool LightButton() const { return lightButton_; }
    void SetLightButton(bool value);
    TBitmap& Glyph() { return glyph_; }
    bool CaptionVisible() const { return captionVisible_; }
    void SetCaptionVisible(bool value);
    TMButtonKind Kind() const { return kind_; }
    void SetKind(TMButtonKind kind);
    TButtonStyle Style() const { return style_; }
    void SetStyle(TButtonStyle style);
    int Delta() const { return delta_; }
    void SetDelta(int value) { delta_ = value; }
    int Margin() const { return margin_; }
    void SetMargin(int value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);
    TButtonLayout ButtonLayout() const { return layout_; }
    void SetButtonLayout(TButtonLayout layout);

    bool Hot() const { return hot_; }
    void Click() override;
    void SetParent(TWinControl* parent) override;
    bool DrawItem(const DRAWITEMSTRUCT& item) override;
    void WndProc(TMessage& message) override;
    void MouseEnter() override;
    void MouseLeave() override;

protected:
    bool OwnerDrawn() const override { return true; }
    void EnabledChanged() override;

private:
    struct DrawState {
        bool pressed, focused, enabled;
    };
    void Paint(TCanvas& canvas, const DrawState& state);
    void PaintFace(TCanvas& canvas, const DrawState& state, bool bold);
    TBitmap& GlyphInUse();
    void SetHot(bool hot);

    TColor colorOver_ = clBtnFace;
    bool lightButton_ = true;
    TBitmap glyph_;
    bool captionVisible_ = true;
    TMButtonKind kind_ = mkCustom;
    TButtonStyle style_ = bsAutoDetect;
    int delta_ = 0;
    int margin_ = -1;
    int spacing_ = 0;
    int numGlyphs_ = 3;
    TButtonLayout layout_ = blGlyphLeft;
    bool modalResultChosen_ = false;
    bool hot_ = false;
};
