// The end page: restart, back, and leaving with "Nu acum".
#include "pages/end_page.h"

#include "framework/stdctrls.h"
#include "page_test_support.h"
#include "pages/restart_request.h"
#include "core/settings.h"
#include "toolkit/mbutton.h"
#include "toolkit/nice_button.h"

namespace {

class EndPage : public PageTest {
protected:
    void TearDown() override { SetRestartHook({}); }
};

TEST_F(EndPage, RestartAsksWindowsAndThePageStaysWhateverTheAnswer) {
    for (bool accepted : {false, true}) {
        int asked = 0;
        SetRestartHook([&] {
            ++asked;
            return accepted;
        });
        TEndScreen page(nullptr);
        // Only "Nu acum" closes the page after the two restarts.
        EXPECT_EQ(ShowClicking(page, {page.BCancel->Handle(), page.BCancel->Handle(), page.NiceButton1->Handle()}),
                  mrOk);
        EXPECT_EQ(asked, 2) << accepted;
    }
}

TEST_F(EndPage, BackAsksForThePreviousPage) {
    SetRestartHook([] { return false; });
    TEndScreen page(nullptr);
    EXPECT_EQ(ShowClicking(page, {page.BBack->Handle()}), mrRetry);
}

TEST_F(EndPage, NamesTheDefaultUserAndAOneCharacterPassword) {
    TEndScreen page(nullptr);
    ASSERT_EQ(page.Memo1->Lines().Count(), 6);
    const std::string line = page.Memo1->Lines()[5];
    const std::string head = "Utilizator implicit:  \"Master\", cu parola de acces ";
    ASSERT_TRUE(line.starts_with(head)) << line;
    EXPECT_EQ(line.size(), head.size() + 1) << line;
}

}  // namespace
