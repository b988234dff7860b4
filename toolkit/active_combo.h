// The toolkit's combo box: its label takes the focus colour while it has the
// focus, an optional flat frame, and auto-completion from its items.
#pragma once

#include "toolkit/input_look.h"

class TActiveCombo : public TComboBox {
    DECLARE_CLASS_INFO
public:
    explicit TActiveCombo(TComponent* owner);

    TLabel* AssocLabel() const { return label_.Label(); }
    void SetAssocLabel(TLabel* label) { label_.Link(label, *this); }
    TColor LabelColor() const { return labelColor_; }
    void SetLabelColor(TColor color) { labelColor_ = color; }
    bool AutoComplete() const { return autoComplete_; }
    void SetAutoComplete(bool value) { autoComplete_ = value; }
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    TColor BorderColor() const { return frame_.color; }
    void SetBorderColor(TColor color);
    TColor BorderColorF() const { return frame_.focusColor; }
    void SetBorderColorF(TColor color);
    bool FlatStyle() const { return flatStyle_; }
    void SetFlatStyle(bool value);
    TBevelCut BevelOuter() const { return frame_.bevel; }
    void SetBevelOuter(TBevelCut cut);

    void CommandNotify(WORD code) override;
    void WndProc(TMessage& message) override;

protected:
    void DoEnter() override;
    void DoExit() override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void Notification(TComponent* component, bool removing) override;

private:
    bool HasFlatFrame() const { return flatStyle_ && borderStyle_ == bsSingle; }
    void DrawFrame();
    void Complete(const std::string& text);

    FocusLabel label_;
    TColor labelColor_ = clHighlightText;
    bool autoComplete_ = false;
    TBorderStyle borderStyle_ = bsNone;
    FlatFrame frame_;
    bool flatStyle_ = false;
    bool focused_ = false;
    // The last key pressed was Backspace or Delete: the text changed because
    // the user took something away, and completing it would put it back.
    bool lastKeyErased_ = false;
};
