// The wizard driver: which page follows which, with pages that close
// themselves through their own modal loop.
#include "shell/wizard.h"

#include <deque>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/application.h"
#include "tests/support/page_test.h"

namespace {

// A page that closes with the next result of its slot's script once its
// modal loop runs, and records where it was placed.
class ScriptedPage : public TForm {
public:
    ScriptedPage(int result, RECT& placed) : TForm(nullptr), result_(result), placed_(placed) {
        SetBorderStyle(bsDialog);
        SetClientWidth(637);
        SetClientHeight(114);
    }
    void WndProc(TMessage& message) override {
        if (message.Msg == WM_APP) {
            GetWindowRect(Handle(), &placed_);
            if (result_ == quitResult)
                PostQuitMessage(0);
            else
                SetModalResult(result_);
            return;
        }
        TForm::WndProc(message);
    }
    static constexpr int quitResult = -1;

protected:
    void DoShow() override {
        TForm::DoShow();
        PostMessageA(Handle(), WM_APP, 0, 0);
    }

private:
    int result_;
    RECT& placed_;
};

class WizardDriver : public PageTest {
protected:
    // Slot `slot` closes with these results, one per visit.
    void Script(int slot, std::deque<int> results) {
        scripts_[slot] = std::move(results);
        pages_[slot] = [this, slot]() -> std::unique_ptr<TForm> {
            visits.push_back(slot);
            slotsNamed.push_back(InstallSettings.CurrentPage);
            auto& script = scripts_[slot];
            if (script.empty()) throw std::logic_error("slot " + std::to_string(slot) + " visited too often");
            const int result = script.front();
            script.pop_front();
            return std::make_unique<ScriptedPage>(result, placed);
        };
    }
    void Run() {
        RunWizard({&pages_,
                   [this] { detect(); },
                   [this] { calls.push_back("settings"); },
                   [this] {
                       ++questions;
                       return answer;
                   },
                   {}});
    }

    WizardPageTable pages_;
    std::map<int, std::deque<int>> scripts_;
    std::function<void()> detect = [this] { calls.push_back("detect"); };
    std::vector<int> visits;
    // CurrentPage as each page was made: the driver alone names the slot.
    std::vector<int> slotsNamed;
    std::vector<std::string> calls;
    int questions = 0;
    bool answer = true;
    RECT placed{};
};

// What the upgrade detection does when an earlier installation is found.
void StartUpgrade(TInstallType type) {
    InstallSettings.UpgradeMode = true;
    InstallSettings.CurrentPage = SlotFindApp;
    InstallSettings.InstallType = type;
}

TEST_F(WizardDriver, NewInstallationGoesOnWithNextAndBackWithBack) {
    Script(0, {mrOk, mrOk});
    Script(1, {mrRetry, mrOk});
    Script(2, {mrOk});
    Script(3, {mrOk, mrOk});
    Script(4, {mrRetry, mrOk});
    detect = [this] {
        calls.push_back("detect");
        EXPECT_TRUE(visits.empty());
    };
    Run();
    EXPECT_EQ(visits, (std::vector<int>{0, 1, 0, 1, 2, 3, 4, 3, 4}));
    EXPECT_EQ(slotsNamed, visits);
    EXPECT_EQ(calls, (std::vector<std::string>{"detect", "settings"}));
    EXPECT_EQ(InstallSettings.CurrentPage, SlotDone);
    EXPECT_EQ(questions, 0);
}

TEST_F(WizardDriver, AnyOtherResultShowsTheSamePageAgain) {
    Script(0, {mrAbort, mrIgnore, mrOk});
    Script(4, {mrYes, mrOk});
    Run();
    EXPECT_EQ(visits, (std::vector<int>{0, 0, 0, 4, 4}));
}

TEST_F(WizardDriver, CancelOnAnyPageEndsAtOnceWithoutAQuestion) {
    for (int slot : {0, 3, 6, 7, 8}) {
        InstallSettings = TInstallSettings{};
        visits.clear();
        if (slot >= SlotFindApp) StartUpgrade(itClient);
        InstallSettings.CurrentPage = static_cast<std::uint8_t>(slot);
        detect = [] {};
        Script(slot, {mrCancel});
        Run();
        EXPECT_EQ(visits, (std::vector<int>{slot}));
        EXPECT_EQ(InstallSettings.CurrentPage, SlotDone);
    }
    EXPECT_EQ(questions, 0);
}

TEST_F(WizardDriver, PagesThatDoNotExistYetArePassedOverAsNext) {
    Script(0, {mrOk});
    Script(4, {mrOk});
    Run();
    EXPECT_EQ(visits, (std::vector<int>{0, 4}));
}

TEST_F(WizardDriver, ClientThatDeclinesTheServerUpgradeSkipsTheDatabasePage) {
    detect = [] { StartUpgrade(itClient); };
    answer = false;
    Script(6, {mrOk});
    Script(7, {mrOk});
    Script(4, {mrOk});
    Run();
    EXPECT_EQ(visits, (std::vector<int>{6, 7, 4}));
    EXPECT_EQ(InstallSettings.InstallType, itClient);
    EXPECT_EQ(questions, 1);
}

TEST_F(WizardDriver, ClientThatAgreesBecomesServerAndUpgradesTheDatabase) {
    detect = [] { StartUpgrade(itClient); };
    answer = true;
    Script(6, {mrOk});
    Script(7, {mrOk});
    Script(8, {mrOk});
    Script(4, {mrOk});
    Run();
    EXPECT_EQ(visits, (std::vector<int>{6, 7, 8, 4}));
    EXPECT_EQ(InstallSettings.InstallType, itServer);
}

TEST_F(WizardDriver, BackInTheUpgradeNeverReachesTheFirstInstallationsPages) {
    detect = [] { StartUpgrade(itServer); };
    Script(6, {mrOk});
    Script(7, {mrOk});
    Script(8, {mrOk});
    // End page Back: configuration; configuration Back: the end page again,
    // never the first installation's copy page.
    Script(4, {mrRetry, mrOk});
    Script(3, {mrRetry});
    Run();
    EXPECT_EQ(visits, (std::vector<int>{6, 7, 8, 4, 3, 4}));
}

TEST_F(WizardDriver, BackOnTheSearchPageEndsTheUpgrade) {
    detect = [] { StartUpgrade(itLocal); };
    Script(6, {mrRetry});
    Run();
    EXPECT_EQ(visits, (std::vector<int>{6}));
    EXPECT_EQ(InstallSettings.CurrentPage, SlotDone);
}

TEST_F(WizardDriver, ASlotOutsideTheTableEndsTheWizard) {
    detect = [] { InstallSettings.CurrentPage = 12; };
    Run();
    EXPECT_TRUE(visits.empty());
    EXPECT_EQ(InstallSettings.CurrentPage, SlotDone);
    // Back from the first page leaves the table too.
    EXPECT_EQ(NextSlot(0, mrRetry, InstallSettings, [] { return true; }), SlotDone);
}

TEST_F(WizardDriver, APageThatFailsIsReportedOnceAndEndsTheWizard) {
    std::vector<std::string> reported;
    Application().OnException = [&](const std::string& message) { reported.push_back(message); };
    pages_[0] = []() -> std::unique_ptr<TForm> { throw std::runtime_error("descriere lipsa"); };
    Script(4, {mrOk});
    Run();
    Application().OnException = nullptr;
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_NE(reported[0].find("descriere lipsa"), std::string::npos);
    EXPECT_TRUE(visits.empty());
    EXPECT_EQ(InstallSettings.CurrentPage, SlotDone);
}

TEST_F(WizardDriver, QuittingWhileAPageIsShownCountsAsCancel) {
    Script(0, {ScriptedPage::quitResult});
    Script(1, {mrOk});
    Run();
    EXPECT_EQ(visits, (std::vector<int>{0}));
    EXPECT_EQ(InstallSettings.CurrentPage, SlotDone);
}

TEST_F(WizardDriver, PlacesThePageWithEightNinthsOfTheFreeHeightAbove) {
    // A page 141 pixels high on a screen 600 pixels high.
    EXPECT_EQ(PlacePage(800, 600, 643, 141).top, 408);
    EXPECT_EQ(PlacePage(800, 600, 643, 141).left, 78);
    // The driver places the real window so.
    Script(0, {mrOk});
    Run();
    const int height = placed.bottom - placed.top, width = placed.right - placed.left;
    EXPECT_EQ(placed.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 9 * 8);
    EXPECT_EQ(placed.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
}

}  // namespace
