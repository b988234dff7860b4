// How a page of the wizard answers an installation without questions. Each
// page knows its own controls, so it takes the answers given beforehand
// (Unattended) and presses its way on itself, through real window messages
// as a person's clicks would; the unattended pilot only calls it once the
// page is on the screen. Renaming a control in a form description then
// breaks the page's own code at compile time, never the pilot.
#pragma once
#include <string>

class TWinControl;

class TUnattendedPage {
public:
    virtual void AnswerUnattended() = 0;

protected:
    ~TUnattendedPage() = default;
    // A click on the button as the mouse gives it (nothing for none).
    static void Press(TWinControl* button);
    // The control's text replaced, as typing would.
    static void Type(TWinControl* edit, const std::string& text);
};
