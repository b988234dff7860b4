// The toolkit's form classes: one look and one behaviour for every window of
// the installer. A toolkit form maps its colours to the toolkit's scheme when
// it is loaded, keeps its buttons disabled while a modal form covers it (and
// gives each its own state back afterwards), speaks Romanian in its system
// menu, and is owned by the form that was active when it appeared.
#pragma once

#include "framework/form.h"
#include "toolkit/button_list.h"

class TMForm : public TForm {
    DECLARE_CLASS_INFO
public:
    explicit TMForm(TComponent* owner);

    void Loaded() override;
    void WndProc(TMessage& message) override;

    // The buttons collected at the first show.
    const TButtonList& Buttons() const { return buttons_; }

protected:
    void CreateParams(TCreateParams& params) override;
    void DoShow() override;
    void Notification(TComponent* component, bool removing) override;
    // Whether the system menu's Close item stays usable: only on the
    // application's main window.
    virtual bool SystemCloseEnabled() const { return false; }

private:
    void CollectButtons();
    void SaveAndDisableButtons();
    void RestoreButtons();
    void TranslateSystemMenu();
    bool AnswerMessageDialog(TMessage& message);

    bool collectButtons_ = true;            // until the first show
    TWinControl* focusedButton_ = nullptr;  // not owned; had the focus when the form was disabled
    TButtonList buttons_;
};

// A form that paints its own surface; on the installer's forms it paints
// like a plain form.
class TPaintedForm : public TMForm {
    DECLARE_CLASS_INFO
public:
    explicit TPaintedForm(TComponent* owner);
};

// An application main window: the one toolkit form whose system menu keeps
// its Close item.
class TMainForm : public TMForm {
    DECLARE_CLASS_INFO
public:
    explicit TMainForm(TComponent* owner);

protected:
    bool SystemCloseEnabled() const override { return true; }
};
