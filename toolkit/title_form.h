// Forms with a painted title bar instead of the Windows caption: every
// wizard page and the message dialog. The form is dragged by any bare part
// of its surface, its caption is the title bar's, its title bar greys while
// it is disabled, and Alt+F4 does not close it.
//
// The page protocol: a page derives from TTitleForm, is read from its
// description (with a TTitleBar "TitleBar1" on top and the buttons BNext,
// BBack, BCancel), is shown modally and ends with its modal result: mrOk
// for Next, mrRetry for Back, mrCancel for Cancel; mrNone keeps it open.
#pragma once

#include "toolkit/mform.h"

class TTitleBar;

class TTitleForm : public TPaintedForm {
    DECLARE_CLASS_INFO
public:
    // Key preview is on, so that a page sees every key before its controls.
    explicit TTitleForm(TComponent* owner);

    TTitleBar* TitleBar() const { return titleBar_; }
    // A form built at run time names its bar here; a loaded one uses
    // "TitleBar1".
    void SetTitleBar(TTitleBar* bar) { titleBar_ = bar; }

    void Loaded() override;
    void WndProc(TMessage& message) override;
    void KeyDown(WORD& key, TShiftState shift) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void TextChanged() override;
    void Notification(TComponent* component, bool removing) override;

private:
    TTitleBar* titleBar_ = nullptr;  // not owned: a component of the form
};

// The message dialog's form. A right click on any toolkit form answers an
// open one as Enter would.
class TMessageForm : public TTitleForm {
    DECLARE_CLASS_INFO
public:
    explicit TMessageForm(TComponent* owner);
};
