// The format label: a caption with its own formatting codes (colours,
// sizes, styles, shadows, blinking, line breaks; see format_codes.h), that
// grows to fit its text and may place itself in its parent.
#pragma once

#include "framework/extctrls.h"
#include "framework/stdctrls.h"

#include <memory>
#include <vector>

enum TMAlign { alMNone, alMTop, alMBottom, alMLeft, alMRight, alMCenter };
extern const NameList kMAlignNames;

class TFmtLabel;

// One blinking run of a format label, drawn again every 300 ms, hidden and
// shown in turn. Lives from one painting of its label to the next.
class TBlinkObj {
public:
    struct Run {
        std::string text;
        int x = 0, y = 0;  // in the label
        bool shadow = false;
        TColor shadowColor = 0;
    };
    TBlinkObj(TFmtLabel& label, Run run, const TFont& font);
    TBlinkObj(const TBlinkObj&) = delete;
    TBlinkObj& operator=(const TBlinkObj&) = delete;
    ~TBlinkObj();

    // Hidden after the first tick and every second one after it.
    bool Hidden() const { return hidden_; }
    void Tick();

private:
    TFmtLabel& label_;
    Run run_;
    TFont font_;
    TColor labelColor_;
    bool hidden_ = false;
    std::unique_ptr<TTimer> timer_;
};

class TFmtLabel : public TLabel {
    DECLARE_CLASS_INFO
public:
    explicit TFmtLabel(TComponent* owner);
    ~TFmtLabel() override;

    TMAlign MAlign() const { return mAlign_; }
    void SetMAlign(TMAlign align);
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor color);

    // Frees every blinking run (before each painting and with the label).
    void Elibereaza_BlinkList();
    int BlinkCount() const { return static_cast<int>(blinkList_.size()); }
    TBlinkObj& Blink(int index) const { return *blinkList_.at(static_cast<size_t>(index)); }

protected:
    void Paint() override;

private:
    void PaintCaption();
    void PlaceInParent();

    TMAlign mAlign_ = alMNone;
    TColor shadowColor_ = clBtnShadow;
    bool paintEnabled_ = true;  // off while the label resizes itself
    std::vector<std::unique_ptr<TBlinkObj>> blinkList_;
};
