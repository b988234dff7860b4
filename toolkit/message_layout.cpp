#include "toolkit/message_layout.h"

#include <algorithm>

namespace {

constexpr int kMargin = 16;          // around the panel, and the row's side margin
constexpr int kIconLeft = 10;        // of the icon on the panel
constexpr int kIconGap = 10;         // beside the icon, counted in the content width
constexpr int kTextMargin = 32;      // around the message, counted in the content width and height
constexpr int kIconMargin = 20;      // above and below the icon, counted in the content height
constexpr int kMinPanelWidth = 150;  // so that one button does not make a sliver of a dialog
constexpr int kMinPanelHeight = 55;
constexpr int kRowHeight = 43;  // a 28-pixel button with 8 above it and 7 below
constexpr int kRowTop = 8;      // of the row below the bevel, and of the buttons in the row
constexpr int kBevelHeight = 5;
constexpr int kBelowPanel = 90;  // from the panel's bottom to the form's: margin, bevel, row and 7 more

}  // namespace

LayoutRect MessageLayout::FirstButton() const { return {kMargin, kRowTop, kDialogButtonWidth, kDialogButtonHeight}; }

MessageLayout LayoutMessageDialog(const MessageLayoutInput& in) {
    MessageLayout out;
    const int contentWidth = in.textWidth + kTextMargin + in.iconWidth + kIconGap;
    const int contentHeight = std::max(in.iconHeight + kIconMargin, in.textHeight + kTextMargin);
    const int rowWidth = in.buttonCount * kDialogButtonWidth + 2 * kMargin;

    const int panelWidth = std::max({kMinPanelWidth, contentWidth, rowWidth});
    const int panelHeight = std::max(kMinPanelHeight, contentHeight);
    out.panel = {kMargin, in.titleBarHeight + kMargin, panelWidth, panelHeight};
    out.clientWidth = panelWidth + 2 * kMargin;
    out.clientHeight = in.titleBarHeight + panelHeight + kBelowPanel;

    const int bevelTop = in.titleBarHeight + panelHeight + 2 * kMargin;
    out.bevel = {0, bevelTop, out.clientWidth, kBevelHeight};
    out.buttonRow = {(out.clientWidth - rowWidth) / 2, bevelTop + kRowTop, rowWidth, kRowHeight};

    // A short message sits on the icon's middle; a tall one takes the icon
    // down to its own middle.
    int iconTop, messageTop;
    if (in.textHeight < in.iconHeight) {
        iconTop = 10;
        messageTop = iconTop + in.iconHeight / 2 - in.textHeight / 2;
    } else {
        messageTop = 16;
        iconTop = messageTop + in.textHeight / 2 - in.iconHeight / 2;
    }
    out.icon = {kIconLeft, iconTop, in.iconWidth, in.iconHeight};
    const int besideIcon = kIconLeft + in.iconWidth;
    out.message = {besideIcon + (panelWidth - besideIcon - in.textWidth) / 2, messageTop, in.textWidth, in.textHeight};
    return out;
}
