#include "toolkit/button_kinds.h"

#include <gtest/gtest.h>

TEST(ButtonKinds, NamesFollowTheStoredOrder) {
    ASSERT_EQ(kButtonKindNames.size(), 58u);
    EXPECT_EQ(kButtonKindNames[0], "mkFirst");
    EXPECT_EQ(kButtonKindNames[12], "mkCustom");
    EXPECT_EQ(kButtonKindNames[25], "mkPlus");
    EXPECT_EQ(kButtonKindNames[33], "mkBani");
    EXPECT_EQ(kButtonKindNames[34], "mkMail");
    EXPECT_EQ(kButtonKindNames[35], "mkBigExit");
    EXPECT_EQ(kButtonKindNames[56], "mkPermis");
    EXPECT_EQ(kButtonKindNames[57], "mkAction");
    EXPECT_EQ(kAlteGlifeNames.size(), 19u);
    EXPECT_EQ(kAlteGlifeNames[5], "glCheck");
    EXPECT_EQ(kMsgDlgTypeNames.size(), 5u);
    EXPECT_EQ(kMsgDlgTypeNames[mtConfirmation], "mtConfirmation");
}

TEST(ButtonKinds, DialogKindsGiveCaptionResultWidthAndGlyph) {
    const ButtonKindInfo& cancel = KindInfo(mkCancel);
    EXPECT_EQ(cancel.caption, "&Renunt");
    EXPECT_EQ(cancel.modalResult, 2);
    EXPECT_EQ(cancel.width, 70);
    EXPECT_EQ(cancel.glyph, "Cancel");
    const ButtonKindInfo& yes = KindInfo(mkYes);
    EXPECT_EQ(yes.caption, "&Da");
    EXPECT_EQ(yes.modalResult, 6);
    EXPECT_EQ(yes.width, 90);
    EXPECT_EQ(yes.glyph, "OK");
    EXPECT_EQ(KindInfo(mkAbort).modalResult, 3);
    EXPECT_EQ(KindInfo(mkClose).modalResult, 2);
    EXPECT_EQ(KindInfo(mkAll).modalResult, 8);
    EXPECT_EQ(KindInfo(mkNo).caption, "&Nu");
}

TEST(ButtonKinds, NiceButtonsHaveTheirOwnGlyphForIgnoreAndAll) {
    EXPECT_EQ(KindInfo(mkIgnore).glyph, "");
    EXPECT_EQ(KindInfo(mkIgnore).niceGlyph, "PrnSetup");
    EXPECT_EQ(KindInfo(mkAll).glyph, "Image1");
    EXPECT_EQ(KindInfo(mkAll).niceGlyph, "Avansat");
    EXPECT_EQ(KindInfo(mkOK).niceGlyph, "");
}

TEST(ButtonKinds, ToolbarKindsHaveNoCaptionAndTheirOwnWidths) {
    EXPECT_EQ(KindInfo(mkPlus).width, 42);
    EXPECT_EQ(KindInfo(mkTransf).glyph, "BSediu");
    EXPECT_EQ(KindInfo(mkContr).width, 70);
    EXPECT_EQ(KindInfo(mkContr).glyph, "Contract");
    EXPECT_EQ(KindInfo(mknNext).glyph, "nNext");
    EXPECT_EQ(KindInfo(mknNext).caption, "");
    EXPECT_EQ(KindInfo(mkMail).caption, "E&Mail");
    EXPECT_EQ(KindInfo(mkAction).glyph, "UrmatorBlue");
    EXPECT_EQ(KindInfo(mkCustom).width, 90);
    EXPECT_EQ(KindInfo(mkLast).glyph, "");
}

TEST(ButtonKinds, OnlyTheNavigationKindsHideTheCaption) {
    EXPECT_TRUE(KindHidesCaption(mkFirst));
    EXPECT_TRUE(KindHidesCaption(mkLast));
    EXPECT_FALSE(KindHidesCaption(mkAdd));
    EXPECT_FALSE(KindHidesCaption(mkCustom));
}

TEST(ButtonKinds, ValuesOutsideTheEnumerationsAreCustom) {
    EXPECT_EQ(KindInfo(static_cast<TMButtonKind>(58)).width, 90);
    EXPECT_EQ(KindInfo(static_cast<TMButtonKind>(-1)).glyph, "");
    EXPECT_EQ(AlteGlifeName(static_cast<TAlteGlife>(19)), "");
    EXPECT_EQ(AlteGlifeName(glCrescator), "crescator");
    EXPECT_EQ(DialogIconName(mtCustom), "");
    EXPECT_EQ(DialogIconName(mtInformation), "Information");
}
