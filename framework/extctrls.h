// Panels, bevels, images, gauges and user-interface timers.
#pragma once

#include "framework/control.h"
#include "framework/stdctrls.h"

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
extern const NameList kBevelCutNames;

// Draws a bevel one pixel wide per step: raised means light top-left and
// dark bottom-right; lowered the reverse. rect shrinks by the width drawn.
void DrawBevelFrame(TCanvas& canvas, RECT& rect, TBevelCut cut, int width);

// A container window with bevels, a border and a centred caption.
class TCustomPanel : public TCustomControl {
    DECLARE_CLASS_INFO
public:
    explicit TCustomPanel(TComponent* owner);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut cut);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut cut);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);

protected:
    void CreateParams(TCreateParams& params) override;
    void AdjustClientRect(RECT& rect) const override;
    void Paint() override;
    // The parts of Paint, for derived panels that paint their own background.
    void PaintFrame(RECT& rect);
    void PaintCaption(const RECT& rect);

private:
    TBevelCut bevelOuter_ = bvRaised, bevelInner_ = bvNone;
    int bevelWidth_ = 1, borderWidth_ = 0;
    TBorderStyle borderStyle_ = bsNone;
    TAlignment alignment_ = taCenter;
};

class TPanel : public TCustomPanel {
    DECLARE_CLASS_INFO
public:
    explicit TPanel(TComponent* owner);
};

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
    DECLARE_CLASS_INFO
public:
    explicit TBevel(TComponent* owner);
    TBevelShape Shape() const { return shape_; }
    void SetShape(TBevelShape shape);
    TBevelStyle Style() const { return style_; }
    void SetStyle(TBevelStyle style);

protected:
    void Paint() override;

private:
    TBevelShape shape_ = bsBox;
    TBevelStyle style_ = bsLowered;
};

class TImage : public TGraphicControl {
    DECLARE_CLASS_INFO
public:
    explicit TImage(TComponent* owner);
    TBitmap& Picture() { return picture_; }
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    bool Center() const { return center_; }
    void SetCenter(bool value);
    bool Transparent() const { return picture_.Transparent(); }
    void SetTransparent(bool value) { picture_.SetTransparent(value); }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);

protected:
    void Paint() override;

private:
    void PictureChanged();
    TBitmap picture_;
    bool stretch_ = false, center_ = false, autoSize_ = false;
};

enum TGaugeKind { gkHorizontalBar, gkVerticalBar };

// A percentage bar: Progress between MinValue and MaxValue, the percentage
// written across it.
class TGauge : public TGraphicControl {
    DECLARE_CLASS_INFO
public:
    explicit TGauge(TComponent* owner);
    int MinValue() const { return minValue_; }
    void SetMinValue(int value);
    int MaxValue() const { return maxValue_; }
    void SetMaxValue(int value);
    int Progress() const { return progress_; }
    void SetProgress(int value);
    void AddProgress(int value) { SetProgress(progress_ + value); }
    int PercentDone() const;
    TColor ForeColor() const { return foreColor_; }
    void SetForeColor(TColor color);
    TColor BackColor() const { return backColor_; }
    void SetBackColor(TColor color);
    bool ShowText() const { return showText_; }
    void SetShowText(bool value);
    TGaugeKind Kind() const { return kind_; }
    void SetKind(TGaugeKind kind);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);

protected:
    void Paint() override;

private:
    int minValue_ = 0, maxValue_ = 100, progress_ = 0;
    TColor foreColor_ = clNavy, backColor_ = clWhite;
    bool showText_ = true;
    TGaugeKind kind_ = gkHorizontalBar;
    TBorderStyle borderStyle_ = bsSingle;
};

// A user-interface timer: OnTimer runs from the message loop every Interval
// milliseconds while Enabled; 0 means as often as the system allows. It
// stops when freed, with its owner like every component; a tick that was
// already waiting is then dropped.
class TTimer : public TComponent {
    DECLARE_CLASS_INFO
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    int Interval() const { return interval_; }
    void SetInterval(int milliseconds);
    TNotifyEvent OnTimer;
    void Loaded() override;

private:
    class Window;
    void Update();
    void Tick();

    bool enabled_ = true;
    int interval_ = 1000;
    UINT_PTR id_ = 0;  // in the shared timer window while running, else 0
};
