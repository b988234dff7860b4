// The message dialog's rules that need no window: buttons, captions,
// prefix, names, Escape and line breaks.
#include "toolkit/message_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(MessageRules, ButtonsBecomeTheirKinds) {
    EXPECT_EQ(DialogButtonKind(mbYes), mkYes);
    EXPECT_EQ(DialogButtonKind(mbOK), mkOK);
    EXPECT_EQ(DialogButtonKind(mbCancel), mkCancel);
    EXPECT_EQ(DialogButtonKind(mbIgnore), mkIgnore);
    EXPECT_EQ(DialogButtonKind(mbNoToAll), mkNo);
    EXPECT_EQ(DialogButtonKind(mbYesToAll), mkAll);
    EXPECT_EQ(DialogButtonKind(mbHelp), mkHelp);
    EXPECT_EQ(DialogButtonKind(static_cast<TMsgDlgBtn>(11)), mkCustom);
}

TEST(MessageRules, ButtonSetCountsOnlyTheElevenButtons) {
    EXPECT_EQ((TMsgDlgButtons{mbYes, mbNo, mbCancel}).Count(), 3);
    EXPECT_EQ(TMsgDlgButtons::FromBits(0xF800 | 0x0004).Count(), 1);
    EXPECT_TRUE((TMsgDlgButtons{mbOK}).Has(mbOK));
    EXPECT_EQ((TMsgDlgButtons{mbOK}).Bits(), 4);
}

TEST(MessageRules, EachKindHasItsCaption) {
    EXPECT_EQ(DefaultDialogCaption(mtWarning), "Atentie !");
    EXPECT_EQ(DefaultDialogCaption(mtError), "EROARE !");
    EXPECT_EQ(DefaultDialogCaption(mtInformation), "Informatie...");
    EXPECT_EQ(DefaultDialogCaption(mtConfirmation), "Confirmare...");
    EXPECT_EQ(DefaultDialogCaption(mtCustom), "");
}

TEST(MessageRules, PrefixInCapitalsThenACommaAndAnEmptyLine) {
    EXPECT_EQ(WithMessagePrefix("Pentru continuare", "Introduceti discul 2"),
              "PENTRU CONTINUARE,\r\rIntroduceti discul 2");
    EXPECT_EQ(WithMessagePrefix("", "Introduceti discul 2"), "Introduceti discul 2");
}

TEST(MessageRules, ButtonNamesDropAmpersandsAndBlanks) {
    EXPECT_EQ(DialogButtonName("&Da"), "BtnDa");
    EXPECT_EQ(DialogButtonName("O&K"), "BtnOK");
    EXPECT_EQ(DialogButtonName("&Renunt"), "BtnRenunt");
    EXPECT_EQ(DialogButtonName("S&faturi"), "BtnSfaturi");
    EXPECT_EQ(DialogButtonName("&Nu la toate"), "BtnNulatoate");
}

TEST(MessageRules, EscapeAnswersOnlyWhereItCannotSurprise) {
    EXPECT_EQ(EscapeButton({mbOK}), mbOK);
    EXPECT_EQ(EscapeButton({mbOK, mbCancel}), std::nullopt);
    EXPECT_EQ(EscapeButton({mbNo, mbCancel}), mbCancel);
    EXPECT_EQ(EscapeButton({mbYes, mbNo, mbCancel}), mbCancel);
    EXPECT_EQ(EscapeButton({mbYes, mbNo}), std::nullopt);
    EXPECT_EQ(EscapeButton({mbCancel}), std::nullopt);
    EXPECT_EQ(EscapeButton({}), std::nullopt);
}

int Chars(std::string_view text) { return static_cast<int>(text.size()); }

TEST(MessageRules, LinesBreakAtTheLastBlankThatFits) {
    EXPECT_EQ(WrapAtBlanks("aaa bbb ccc", 7, Chars), "aaa bbb\rccc");
    EXPECT_EQ(WrapAtBlanks("aaa bbb ccc", 11, Chars), "aaa bbb ccc");
    EXPECT_EQ(WrapAtBlanks("aa  bb", 3, Chars), "aa\rbb");
}

TEST(MessageRules, AWordTooWideKeepsALineOfItsOwn) {
    EXPECT_EQ(WrapAtBlanks("x verylongword y", 5, Chars), "x\rverylongword\ry");
    EXPECT_EQ(WrapAtBlanks("C:\\a\\very\\long\\path", 5, Chars), "C:\\a\\very\\long\\path");
}

TEST(MessageRules, GivenLineBreaksStayAndEmptyLinesToo) {
    EXPECT_EQ(WrapAtBlanks("ab\rcd ef", 3, Chars), "ab\rcd\ref");
    EXPECT_EQ(WrapAtBlanks("A,\r\rbbb ccc", 4, Chars), "A,\r\rbbb\rccc");
    EXPECT_EQ(WrapAtBlanks("", 4, Chars), "");
}

}  // namespace
