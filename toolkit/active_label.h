// The label that names an input control: its accelerator in red, underlined
// while the control it names has the focus; a click or Alt with the letter
// moves the focus to that control.
#pragma once

#include "framework/stdctrls.h"

class TActiveLabel : public TLabel {
    DECLARE_CLASS_INFO
public:
    explicit TActiveLabel(TComponent* owner);
    // The click event first, then the focus moves to the focus control.
    void Click() override;
    bool DialogChar(char key) override;

protected:
    void Paint() override;

private:
    bool FocusControlFocused() const;
};
