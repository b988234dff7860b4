// RomMessageDlg: every message, warning, error and question of the
// installer, in a dialog built at run time in the toolkit's look: a painted
// title bar, the kind's icon on the left, the message bold and centred, a
// row of toolkit buttons under a line. It answers the modal result of the
// button pressed, mrCancel when it closed by itself, 0 when it could not be
// shown.
//
// Two unattended modes, switched from the dialog itself by three clicks on
// its icon: one-button dialogs close themselves (auto-close), or every
// dialog is answered with its default button (auto-answer). A right click
// anywhere on the dialog, or on a toolkit form under it, answers it with its
// default button.
#pragma once

#include "framework/control.h"
#include "toolkit/message_rules.h"
#include "toolkit/title_form.h"

#include <functional>
#include <string>

class TMessageDialogForm;

int RomMessageDlg(const std::string& message, const std::string& caption, TMsgDlgType kind, TAlignment alignment,
                  TMsgDlgButtons buttons, TMsgDlgBtn defaultButton, int helpContext = 0, bool showAlways = false);

// Put in capitals before the message of every dialog while it is not empty
// ("Pentru continuare" before a disk prompt).
extern std::string MessagePrefix;
// One-button dialogs close themselves after two ticks of AutoCloseUnits x
// 300 ms; 0 is off.
extern int AutoCloseUnits;
// Dialogs are answered with their default button at the second tick.
extern bool AutoAnswer;
// The dialog on the screen while one of the modes above runs its timer.
extern TMessageDialogForm* CurrentDialog;

// The dialog's form. Ctrl+C (or WM_COPY from outside) puts what it says on
// the clipboard: caption, message and buttons, as for a system message box.
class TMessageDialogForm : public TMessageForm {
    DECLARE_CLASS_INFO
public:
    explicit TMessageDialogForm(TComponent* owner);

    int IconClicks() const { return iconClicks_; }
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int context) { helpContext_ = context; }
    // The message as given (with its prefix), before it was broken into lines.
    const std::string& Message() const { return message_; }
    void SetMessage(const std::string& message) { message_ = message; }

    // Where the mouse presses of the form, its panels, message and icon go.
    void DialogMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    // Presses every default button: how a right click answers.
    void ClickDefaultButtons();
    // What Ctrl+C copies.
    std::string CopyText() const;

    void WndProc(TMessage& message) override;
    void KeyDown(WORD& key, TShiftState shift) override;

protected:
    void DoShow() override;

private:
    void CountIconClick();

    int iconClicks_ = 0;
    int helpContext_ = 0;
    std::string message_;
};

// Unattended runs: while a handler is set, no dialog is shown. Each one
// answers at once with the modal result of its declining button (see
// DecliningButton) and hands its kind, caption and message (with its
// prefix) to the handler, which decides what the run does next. Empty: off.
using UnattendedDialogHandler =
    std::function<void(TMsgDlgType kind, const std::string& caption, const std::string& message)>;
void SetUnattendedDialogHandler(UnattendedDialogHandler handler);

// Tests and the gallery see every dialog once it is on the screen: they read
// it and may answer it by setting its modal result. Empty: no watcher.
using MessageDialogWatcher = std::function<void(TMessageDialogForm& dialog)>;
void SetMessageDialogWatcher(MessageDialogWatcher watcher);
