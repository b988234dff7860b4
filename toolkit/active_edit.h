// The toolkit's edit: its label takes the focus colour while it is being
// edited; right or centred text is drawn by the edit itself and edited
// left-aligned; an optional flat frame replaces the sunken one.
#pragma once

#include "toolkit/input_look.h"

class TActiveEdit : public TEdit {
    DECLARE_CLASS_INFO
public:
    explicit TActiveEdit(TComponent* owner);

    // Left while the edit has the focus, whatever it shows otherwise.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    TLabel* AssocLabel() const { return label_.Label(); }
    void SetAssocLabel(TLabel* label) { label_.Link(label, *this); }
    TColor LabelColor() const { return labelColor_; }
    void SetLabelColor(TColor color) { labelColor_ = color; }
    TColor BorderColor() const { return frame_.color; }
    void SetBorderColor(TColor color);
    TColor BorderColorF() const { return frame_.focusColor; }
    void SetBorderColorF(TColor color);
    bool FlatStyle() const { return flatStyle_; }
    void SetFlatStyle(bool value);
    TBevelCut BevelOuter() const { return frame_.bevel; }
    void SetBevelOuter(TBevelCut cut);
    // The gap between the frame and the text the edit draws itself.
    int TextMargin() const { return textMargin_; }

    void WndProc(TMessage& message) override;

protected:
    void DoEnter() override;
    void DoExit() override;
    void FontChanged() override;
    void Notification(TComponent* component, bool removing) override;

private:
    bool HasFlatFrame() const { return flatStyle_ && BorderStyle() == bsSingle; }
    void UpdateTextMargin();
    void PaintAlignedText();
    void Refresh();

    TAlignment alignment_ = taLeftJustify;
    TAlignment savedAlignment_ = taLeftJustify;  // shown again when the focus leaves
    bool focused_ = false;
    FocusLabel label_;
    TColor labelColor_ = clHighlightText;
    FlatFrame frame_;
    bool flatStyle_ = false;
    int textMargin_ = 0;
};
