// What the toolkit's edit and combo box share: the label that names them,
// recoloured while they have the focus, and the flat frame they may draw
// instead of the sunken one.
#pragma once

#include "framework/extctrls.h"
#include "framework/stdctrls.h"

// The label of an input control. While the control has the focus the label
// shows in the focus colour; leaving gives it back the colour and style it
// had. The label is not owned.
class FocusLabel {
public:
    TLabel* Label() const { return label_; }
    // Makes `control` the label's focus control too.
    void Link(TLabel* label, TWinControl& control);
    void Enter(TColor focusColor);
    void Leave();
    // The label is being freed: forget it.
    void Forget(const TComponent* component);

private:
    TLabel* label_ = nullptr;
    bool entered_ = false;
    TColor savedColor_ = clWindowText;
    TFontStyles savedStyle_ = 0;
};

// The frame look of a flat input control.
struct FlatFrame {
    TBevelCut bevel = bvNone;
    TColor color = 0x00808080;       // without bevel, while not focused
    TColor focusColor = 0x00FFFFFF;  // without bevel, while focused
};

// Over the outer two pixels of `window`: a one-pixel bevel (raised: light
// top-left; lowered or space: the reverse) or, without bevel, a one-pixel
// line in the frame colour for the focus state; then a ring in `fill`, the
// control's own colour.
void DrawFlatFrame(HWND window, const FlatFrame& frame, bool focused, TColor fill);
