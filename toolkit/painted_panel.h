// A panel with an optional two-colour gradient, a caption that breaks lines
// at "#", an embossed look when disabled, and an optional border colour.
#pragma once

#include "framework/extctrls.h"

class TPaintedPanel : public TCustomPanel {
    DECLARE_CLASS_INFO
public:
    explicit TPaintedPanel(TComponent* owner);

    bool UseHGradient() const { return useHGradient_; }
    void SetUseHGradient(bool value);
    bool UseSecondColor() const { return useSecondColor_; }
    void SetUseSecondColor(bool value);
    TColor SecondColor() const { return secondColor_; }
    void SetSecondColor(TColor color);
    bool UseBorderColor() const { return useBorderColor_; }
    void SetUseBorderColor(bool value);
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor color);

    // Replaces the painting of background and caption: the plain panel
    // paints, then this runs.
    TNotifyEvent OnPaint;

    void WndProc(TMessage& message) override;

protected:
    void Paint() override;

private:
    bool HasGradient() const { return useSecondColor_ && secondColor_ != Color(); }
    // Colour of line i of the gradient (a column with UseHGradient, else a row).
    TColor LineColor(int i) const;
    void PaintBackground(const RECT& client);
    void PaintText(const RECT& client);
    void PaintBorder(const RECT& client);
    void PaintNonClientFrame();

    bool useHGradient_ = false, useSecondColor_ = false, useBorderColor_ = false;
    TColor secondColor_, borderColor_;
};
