// The one way a failure reaches the user: noted in the diagnostic log,
// recorded as the run's outcome (ecFailed, so an unattended run ends with
// code 3), and shown in an error dialog. A failure's text names files,
// folders and system errors, which are data: it is shown as it stands, so a
// code character in a file name ("R&D") never turns into formatting.
//
// A dialog's prefix line belongs to that dialog alone: it is passed in and
// put back after, never left behind for the dialogs that follow.
#pragma once
#include <string>
#include <utility>

#include "toolkit/message_rules.h"

// Sets the toolkit's dialog prefix for one dialog (or a few shown in one
// step) and gives the previous one back when it ends.
class MessagePrefixFor {
public:
    explicit MessagePrefixFor(std::string prefix);
    ~MessagePrefixFor();
    MessagePrefixFor(const MessagePrefixFor&) = delete;
    MessagePrefixFor& operator=(const MessagePrefixFor&) = delete;

private:
    std::string saved_;
};

struct FailureDialog {
    FailureDialog(std::string captionText = {}, TMsgDlgButtons buttonSet = {mbCancel}, TMsgDlgBtn byDefault = mbCancel,
                  std::string prefixLine = {})
        : caption(std::move(captionText)),
          buttons(buttonSet),
          defaultButton(byDefault),
          prefix(std::move(prefixLine)) {}

    std::string caption;  // empty: the dialog's own caption for its kind
    TMsgDlgButtons buttons;
    TMsgDlgBtn defaultButton;
    std::string prefix;  // the dialog's prefix line; none when empty
};

// Logs `logNote` (nothing when it is empty), records ecFailed and shows
// `message` as an error; answers the modal result of the dialog.
int ReportFailure(const std::string& logNote, const std::string& message, const FailureDialog& dialog = {});
