// Where everything of a message dialog goes, at 96 pixels per inch, from
// the measured message, the icon's size, the title bar's height and the
// number of buttons. Portable integer arithmetic; the dialog centres and
// scales the finished form for the screen.
//
//   +-----------------------------------+  title bar
//   |  +-----------------------------+  |  16 below it: the panel, 16 from
//   |  | icon    message (centred)   |  |  each side; icon and message on it
//   |  +-----------------------------+  |
//   |-----------------------------------|  16 below the panel: the bevel line
//   |      [ button ][ button ]         |  8 below the line: the button row
//   +-----------------------------------+
#pragma once

struct MessageLayoutInput {
    int textWidth = 0;  // the message, measured bold and wrapped
    int textHeight = 0;
    int iconWidth = 0;
    int iconHeight = 0;
    int titleBarHeight = 0;
    int buttonCount = 0;
};

struct LayoutRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const LayoutRect&) const = default;
};

struct MessageLayout {
    int clientWidth = 0;  // of the form
    int clientHeight = 0;
    LayoutRect panel;                // on the form
    LayoutRect message;              // on the panel
    LayoutRect icon;                 // on the panel
    LayoutRect bevel;                // on the form
    LayoutRect buttonRow;            // on the form
    LayoutRect FirstButton() const;  // on the row; the others follow it to the right
};

constexpr int kDialogButtonWidth = 100;
constexpr int kDialogButtonHeight = 28;

MessageLayout LayoutMessageDialog(const MessageLayoutInput& input);
