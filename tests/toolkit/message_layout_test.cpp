// The message dialog's geometry at 96 pixels per inch, with the toolkit's
// 42 x 64 dialog icons and a 25-pixel title bar. Expected numbers are worked
// out by hand from the dialog's margins.
#include "toolkit/message_layout.h"

#include <gtest/gtest.h>

namespace {

MessageLayoutInput Dialog(int textWidth, int textHeight, int buttons) {
    return {textWidth, textHeight, 42, 64, 25, buttons};
}

TEST(MessageLayout, ShortMessageSitsOnTheIconsMiddle) {
    const MessageLayout layout = LayoutMessageDialog(Dialog(120, 13, 1));
    EXPECT_EQ(layout.icon, (LayoutRect{10, 10, 42, 64}));
    // 36 + 13 / 2 is the icon's middle, 10 + 64 / 2, within the rounding.
    EXPECT_EQ(layout.message, (LayoutRect{68, 36, 120, 13}));
    EXPECT_EQ(layout.panel, (LayoutRect{16, 41, 204, 84}));
    EXPECT_EQ(layout.clientWidth, 236);
    EXPECT_EQ(layout.clientHeight, 199);
}

TEST(MessageLayout, TallMessageTakesTheIconDownToItsMiddle) {
    const MessageLayout layout = LayoutMessageDialog(Dialog(300, 130, 2));
    EXPECT_EQ(layout.message.top, 16);
    EXPECT_EQ(layout.icon.top, 49);
    EXPECT_EQ(layout.panel.height, 162);  // the message with 16 above and below
    EXPECT_EQ(layout.clientHeight, 25 + 162 + 90);
}

TEST(MessageLayout, OneButtonKeepsThePanelAtLeast150Wide) {
    const MessageLayout layout = LayoutMessageDialog(Dialog(10, 13, 1));
    EXPECT_EQ(layout.panel.width, 150);
    EXPECT_EQ(layout.panel.height, 84);
    EXPECT_EQ(layout.clientWidth, 182);
    // The message stays centred in the room right of the icon.
    EXPECT_EQ(layout.message.left, 52 + (150 - 52 - 10) / 2);
}

TEST(MessageLayout, FourButtonsMakeA432PixelRowThatWidensTheDialog) {
    const MessageLayout layout = LayoutMessageDialog(Dialog(100, 13, 4));
    EXPECT_EQ(layout.buttonRow.width, 432);
    EXPECT_EQ(layout.buttonRow.height, 43);
    EXPECT_EQ(layout.panel.width, 432);
    EXPECT_EQ(layout.clientWidth, 464);
    EXPECT_EQ(layout.buttonRow.left, 16);
    EXPECT_EQ(layout.FirstButton(), (LayoutRect{16, 8, 100, 28}));
}

TEST(MessageLayout, BevelAndButtonRowFollowThePanel) {
    const MessageLayout layout = LayoutMessageDialog(Dialog(120, 13, 1));
    EXPECT_EQ(layout.bevel, (LayoutRect{0, 141, 236, 5}));
    EXPECT_EQ(layout.buttonRow, (LayoutRect{52, 149, 132, 43}));
    // The row ends 7 pixels above the form's bottom.
    EXPECT_EQ(layout.clientHeight - (layout.buttonRow.top + layout.buttonRow.height), 7);
}

TEST(MessageLayout, WithoutAnIconTheMessageStillCentres) {
    const MessageLayout layout = LayoutMessageDialog({200, 26, 0, 0, 25, 1});
    EXPECT_EQ(layout.panel.width, 242);
    EXPECT_EQ(layout.panel.height, 58);
    EXPECT_EQ(layout.message.left, 10 + (242 - 10 - 200) / 2);
    EXPECT_EQ(layout.message.top, 16);
}

}  // namespace
