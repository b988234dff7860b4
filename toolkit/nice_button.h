// TNiceButton: the toolkit's skinned push button. Its face is cut from the
// skin ButtonFaceVTQ (nine columns: the normal, hot and pressed faces, each a
// left end, a middle and a right end), with a bold caption and a glyph on its
// left. At most one TNiceButton is hot at a time; a click from the keyboard
// flashes the button pressed.
#pragma once

#include "framework/stdctrls.h"
#include "toolkit/button_kinds.h"
#include "toolkit/button_layout.h"

#include <array>
#include <memory>

class TNiceButton : public TButton {
    DECLARE_CLASS_INFO
public:
    explicit TNiceButton(TComponent* owner);
    ~TNiceButton() override;

    // Set by the form (or by code): the kind no longer supplies it.
    void SetText(const std::string& text) override;
    void SetModalResult(int result);
    bool CaptionVisible() const { return captionVisible_; }
    void SetCaptionVisible(bool value);
    TBitmap& Glyph() { return glyph_; }
    TMButtonKind Kind() const { return kind_; }
    void SetKind(TMButtonKind kind);
    bool ForcedDown() const { return forcedDown_; }
    void SetForcedDown(bool value);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);
    TButtonLayout ButtonLayout() const { return layout_; }
    void SetButtonLayout(TButtonLayout layout) { layout_ = layout; }
    bool InsideDraw() const { return insideDraw_; }
    void SetInsideDraw(bool value);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    bool Buffered() const { return buffered_; }
    void SetBuffered(bool value);

    bool Hot() const { return hot_; }
    // The TNiceButton that is hot, if any.
    static TNiceButton* HotButton();

    void Click() override;
    void SetParent(TWinControl* parent) override;
    bool DrawItem(const DRAWITEMSTRUCT& item) override;
    void WndProc(TMessage& message) override;
    void MouseEnter() override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseLeave() override;

    // How long a click from the keyboard shows the button pressed.
    static constexpr UINT kFlashMilliseconds = 20;

protected:
    bool OwnerDrawn() const override { return true; }
    void TextChanged() override;
    void FontChanged() override;
    void ColorChanged() override;
    void EnabledChanged() override;
    void BoundsChanged() override;

private:
    enum Face { fNormal, fHot, fPressed, fDisabled };
    Face CurrentFace() const;
    void PaintFace(TCanvas& canvas, Face face);
    void PaintSkin(TCanvas& canvas, TBitmap& skin, int left, int column, Face face);
    TBitmap& GlyphInUse();
    int GlyphZone();
    RECT FaceBand();
    bool AnswersMouseAt(POINT client);
    void SetHot(bool hot);
    void MouseOver();  // the mouse entered or moves over the answering part
    void Changed();    // drops the pre-rendered faces and repaints

    bool captionChosen_ = false;
    bool applyingKind_ = false;  // the caption being set comes from the kind
    bool modalResultChosen_ = false;
    bool captionVisible_ = true;
    TBitmap glyph_;
    TMButtonKind kind_ = mkCustom;
    bool forcedDown_ = false;
    int numGlyphs_ = 3;
    TButtonLayout layout_ = blGlyphLeft;
    bool insideDraw_ = false, stretch_ = false, buffered_ = false;

    bool hot_ = false;
    bool mouseDown_ = false;     // the left button went down on it and is still down
    bool clickByMouse_ = false;  // the click under way comes from releasing the mouse
    bool selected_ = false;      // the system draws it pushed (mouse held down over it)

    std::array<std::unique_ptr<TBitmap>, 4> faces_;  // pre-rendered when Buffered
};
