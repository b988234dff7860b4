// The installation-type page: what it shows from the settings and what it
// stores back.
#include "pages/install_type_page.h"

#include "framework/application.h"
#include "page_test_support.h"
#include "core/settings.h"
#include "toolkit/mbutton.h"
#include "toolkit/radio_button.h"

namespace {

using InstallTypePage = PageTest;

HWND Item(TIType& page, int index) { return page.IType->Buttons(index)->Handle(); }

TEST_F(InstallTypePage, FirstVisitSelectsNothingAndKeepsContinuaDisabled) {
    InstallSettings.CurrentPage = 7;
    TIType page(nullptr);
    EXPECT_EQ(InstallSettings.CurrentPage, 7) << "only the wizard driver names the slot";
    EXPECT_EQ(page.IType->ItemIndex(), -1);
    EXPECT_FALSE(page.BNext->Enabled());
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(page.IType->Buttons(i)->Checked()) << i;
}

TEST_F(InstallTypePage, ChoosingAnItemEnablesContinuaWhichStoresTheType) {
    const TInstallType expected[] = {itLocal, itServer, itClient};
    for (int item = 0; item < 3; ++item) {
        InstallSettings.InstallType = itNone;
        TIType page(nullptr);
        EXPECT_EQ(ShowClicking(page, {Item(page, item), page.BNext->Handle()}), mrOk) << item;
        EXPECT_EQ(InstallSettings.InstallType, expected[item]) << item;
    }
}

TEST_F(InstallTypePage, ReturningShowsTheEarlierChoiceWithContinuaEnabled) {
    InstallSettings.InstallType = itClient;
    TIType page(nullptr);
    EXPECT_EQ(page.IType->ItemIndex(), 2);
    EXPECT_TRUE(page.BNext->Enabled());
    // Going on without touching anything keeps the choice.
    EXPECT_EQ(ShowClicking(page, {page.BNext->Handle()}), mrOk);
    EXPECT_EQ(InstallSettings.InstallType, itClient);
}

TEST_F(InstallTypePage, AbandonLeavesTheTypeAsItWas) {
    InstallSettings.InstallType = itLocal;
    TIType page(nullptr);
    EXPECT_EQ(ShowClicking(page, {Item(page, 1), page.BCancel->Handle()}), mrCancel);
    EXPECT_EQ(InstallSettings.InstallType, itLocal);
}

TEST_F(InstallTypePage, ContinuaWithNothingChosenKeepsThePageAndStoresNothing) {
    TIType page(nullptr);
    page.HandleNeeded();
    // Clicking the disabled button does nothing; reaching its handler
    // anyway (a key, a program) must not store "not chosen" as a choice.
    PostMessageA(page.BNext->Handle(), BM_CLICK, 0, 0);
    for (int i = 0; i < 5; ++i) Application().ProcessMessages();
    EXPECT_EQ(page.ModalResult(), mrNone);
    page.BNext->Click();
    EXPECT_EQ(page.ModalResult(), mrNone);
    EXPECT_EQ(InstallSettings.InstallType, itNone);
}

}  // namespace
