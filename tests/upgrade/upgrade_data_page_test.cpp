// The database upgrade page in-process, over the sample UPGRADE.DLL: which
// library calls each choice of steps makes (read back from the library's
// trace), the marks and panels afterwards, the status line, and Alt+Q.
#include "core/user_interface.h"
#include "upgrade/upgrade_data_page.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "framework/application.h"
#include "framework/extctrls.h"
#include "framework/stdctrls.h"
#include "core/settings.h"
#include "toolkit/active_check_box.h"
#include "toolkit/fmt_label.h"
#include "toolkit/mbutton.h"
#include "toolkit/nice_button.h"
#include "upgrade/upgrade_library.h"
#include "upgrade_test_support.h"

namespace {

using Calls = std::vector<std::string>;

// Alt, Ctrl or nothing held for the object's life, as the page reads it.
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<int> keys) {
        GetKeyboardState(former_);
        BYTE held[256];
        std::copy(std::begin(former_), std::end(former_), held);
        for (int key : keys) held[key] = 0x80;
        SetKeyboardState(held);
    }
    ~HeldKeys() { SetKeyboardState(former_); }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    BYTE former_[256];
};

void Pump() {
    for (int i = 0; i < 3; ++i) Application().ProcessMessages();
}

// A key as the keyboard sends it to the page's window: with Alt held it
// comes as a system key.
void PostKey(TUpgData& page, WORD key, bool alt) {
    PostMessageA(page.Handle(), alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, alt ? 0x20000001 : 1);
}

class UpgradeDataPage : public ::testing::Test {
protected:
    void SetUp() override {
        StartUserInterface();
        InstallSettings = TInstallSettings{};
        CreateDirectoryA(data_.c_str(), nullptr);
        store_.Define("KORVEN", data_);
        ASSERT_TRUE(LoadUpgradeLibraryFrom(UPGRADE_DLL_FOLDER));
    }
    void TearDown() override { FreeUpgradeLibrary(); }

    // Shows the page and clicks Next once it is on the screen.
    static int ClickNext(TUpgData& page) {
        page.HandleNeeded();
        PostMessageA(page.BNext->Handle(), BM_CLICK, 0, 0);
        return page.ShowModal();
    }
    static bool Done(const TPanel& step) {
        return step.BevelOuter() == bvRaised && step.Font().Color() == clRed && step.Alignment() == taLeftJustify;
    }
    static bool Idle(const TPanel& step) {
        return step.BevelOuter() == bvNone && step.Font().Color() == clBlack && step.Alignment() == taRightJustify;
    }
    bool LogHas(const std::string& text) const {
        const auto lines = log_.Lines();
        return std::any_of(lines.begin(), lines.end(),
                           [&](const std::string& line) { return line.ends_with(" " + text); });
    }

    ScratchFolder scratch_{"korven upgrade page"};
    std::string data_ = scratch_.File("DATA");
    AliasStoreSandbox store_{scratch_.File("aliases.cfg")};
    LibraryTrace trace_;
    CapturedLog log_;
};

TEST_F(UpgradeDataPage, OpensWithEveryStepTickedAndStillToCome) {
    TUpgData page(nullptr);
    EXPECT_EQ(page.ClientWidth(), 637);
    EXPECT_EQ(page.ClientHeight(), 114);
    EXPECT_EQ(page.Caption(), "Actualizare baza de date");
    EXPECT_TRUE(page.KeyPreview());
    EXPECT_FALSE(page.QuickVerif());
    EXPECT_EQ(page.L1->Caption(), "Asteapta...");
    EXPECT_TRUE(page.L1->Visible());
    EXPECT_EQ(page.BNext->Caption(), "&Continua");
    EXPECT_EQ(page.BBack->Caption(), "&Inapoi");
    EXPECT_EQ(page.BCancel->Caption(), "&Abandon");
    EXPECT_EQ(page.BStruct->Caption(), "Verificare structuri");
    EXPECT_EQ(page.BLists->Caption(), "Actualizare liste");
    EXPECT_EQ(page.BConst->Caption(), "Actualizare constante");
    int top = 0;
    for (const TPanel* step : {page.BStruct, page.BLists, page.BConst}) {
        EXPECT_TRUE(Idle(*step)) << step->Caption();
        EXPECT_EQ(step->Width(), 253);
        EXPECT_EQ(step->Height(), 17);
        EXPECT_GE(step->Top(), top + 17) << step->Caption();
        top = step->Top();
    }
    for (const TActiveCheckBox* box : {page.Ck1, page.Ck2, page.Ck3}) EXPECT_TRUE(box->Checked());
    for (const TFmtLabel* mark : {page.Lk1, page.Lk2, page.Lk3}) {
        EXPECT_FALSE(mark->Visible());
        EXPECT_EQ(mark->Caption(), "%\xFC");
        EXPECT_EQ(mark->Font().Name(), "Wingdings");
        EXPECT_EQ(mark->Font().Color(), clRed);
    }
    EXPECT_TRUE(trace_.Lines().empty()) << "the initial quick verification is not sent";
}

TEST_F(UpgradeDataPage, AllThreeStepsRunInOrderAndTheReportsReachTheStatusLineAndTheLog) {
    TUpgData page(nullptr);
    EXPECT_EQ(ClickNext(page), mrOk);
    EXPECT_EQ(trace_.Calls(), (Calls{"SetReportProc", "DoStructureUpgrade", "GetSemaforOK", "DoListUpgrade",
                                     "GetSemaforOK", "DoConstUpgrade", "GetSemaforOK"}));
    for (const TFmtLabel* mark : {page.Lk1, page.Lk2, page.Lk3}) EXPECT_TRUE(mark->Visible());
    for (const TPanel* step : {page.BStruct, page.BLists, page.BConst}) EXPECT_TRUE(Done(*step)) << step->Caption();
    EXPECT_FALSE(page.L1->Visible());
    EXPECT_EQ(page.L1->Caption(), "Constante actualizate") << "the last report";
    EXPECT_EQ(page.L1->Font().Color(), clRed) << "red from the lists on, quick verification or not";
    for (const TWinControl* button : std::initializer_list<const TWinControl*>{page.BBack, page.BNext, page.BCancel})
        EXPECT_FALSE(button->Enabled());
    for (const char* report : {"Verificare structuri baza de date...", "Structuri actualizate", "Actualizare liste...",
                               "Constante actualizate"})
        EXPECT_TRUE(LogHas(report)) << report;
    EXPECT_EQ(ReadBytes(data_ + "\\STRUCT.VER"), "VERSIUNE=" + std::to_string(UPGRADE_LIBRARY_VERSION) + "\r\n");
}

TEST_F(UpgradeDataPage, OnlyTheTickedStepsRun) {
    {
        TUpgData page(nullptr);
        page.Ck1->SetChecked(false);
        page.Ck3->SetChecked(false);
        EXPECT_EQ(ClickNext(page), mrOk);
        EXPECT_EQ(trace_.Calls(), (Calls{"SetReportProc", "DoListUpgrade", "GetSemaforOK"}));
        EXPECT_TRUE(page.Lk2->Visible());
        EXPECT_FALSE(page.Lk1->Visible());
        EXPECT_FALSE(page.Lk3->Visible());
        EXPECT_TRUE(Done(*page.BLists));
        EXPECT_TRUE(Idle(*page.BStruct));
        EXPECT_TRUE(Idle(*page.BConst));
        EXPECT_EQ(GetFileAttributesA((data_ + "\\STRUCT.VER").c_str()), INVALID_FILE_ATTRIBUTES);
    }
    {
        TUpgData page(nullptr);
        for (TActiveCheckBox* box : {page.Ck2, page.Ck3}) box->SetChecked(false);
        EXPECT_EQ(ClickNext(page), mrOk);
        EXPECT_EQ(page.L1->Font().Color(), clBlack) << "the structures alone leave the status line black";
    }
    {
        TUpgData page(nullptr);
        for (TActiveCheckBox* box : {page.Ck1, page.Ck2, page.Ck3}) box->SetChecked(false);
        EXPECT_EQ(ClickNext(page), mrOk);
        for (const TFmtLabel* mark : {page.Lk1, page.Lk2, page.Lk3}) EXPECT_FALSE(mark->Visible());
        for (const TPanel* step : {page.BStruct, page.BLists, page.BConst}) EXPECT_TRUE(Idle(*step));
    }
    EXPECT_EQ(trace_.Calls(), (Calls{"SetReportProc", "DoListUpgrade", "GetSemaforOK", "SetReportProc",
                                     "DoStructureUpgrade", "GetSemaforOK", "SetReportProc"}));
}

TEST_F(UpgradeDataPage, AStepThatDidNotEndWellLosesItsMarkAndTheOthersStillRun) {
    EnvironmentSwitch script("KORVEN_UPGRADE_SEMAFOR", "1=0");
    TUpgData page(nullptr);
    EXPECT_EQ(ClickNext(page), mrOk);
    EXPECT_EQ(trace_.Calls(), (Calls{"SetReportProc", "DoStructureUpgrade", "GetSemaforOK", "DoListUpgrade",
                                     "GetSemaforOK", "DoConstUpgrade", "GetSemaforOK"}));
    EXPECT_FALSE(page.Lk1->Visible());
    EXPECT_TRUE(page.Lk2->Visible());
    EXPECT_TRUE(page.Lk3->Visible());
    for (const TPanel* step : {page.BStruct, page.BLists, page.BConst}) EXPECT_TRUE(Done(*step)) << step->Caption();
}

TEST_F(UpgradeDataPage, AltQSwitchesQuickVerificationAndNothingElseDoes) {
    {
        TUpgData page(nullptr);
        page.Show();
        Pump();
        {
            HeldKeys alt({VK_MENU});
            PostKey(page, 'Q', true);
            Pump();
            EXPECT_TRUE(page.QuickVerif());
            EXPECT_EQ(page.L1->Font().Color(), clRed);
            PostKey(page, 'Q', true);
            Pump();
            EXPECT_FALSE(page.QuickVerif());
            EXPECT_EQ(page.L1->Font().Color(), clBlack);
        }
        PostKey(page, 'Q', false);
        Pump();
        {
            HeldKeys ctrl({VK_CONTROL});
            PostKey(page, 'Q', false);
            Pump();
        }
        EXPECT_FALSE(page.QuickVerif());
        EXPECT_EQ(page.L1->Font().Color(), clBlack);
        {
            HeldKeys alt({VK_MENU});
            PostKey(page, 'Q', true);
            Pump();
        }
        page.Hide();
    }
    // A new visit starts off and black; the library kept the last value, and
    // the next Alt+Q sends on again.
    TUpgData again(nullptr);
    EXPECT_FALSE(again.QuickVerif());
    EXPECT_EQ(again.L1->Font().Color(), clBlack);
    again.Show();
    Pump();
    {
        HeldKeys alt({VK_MENU});
        PostKey(again, 'Q', true);
        Pump();
    }
    again.Hide();
    EXPECT_EQ(trace_.Lines(), (Calls{"SetQuickVerif on=1 during=- result=-", "SetQuickVerif on=0 during=- result=-",
                                     "SetQuickVerif on=1 during=- result=-", "SetQuickVerif on=1 during=- result=-"}));
}

// While the library works the page's messages flow (the reports let them
// through): nothing there may change what runs, the step boxes included.
TUpgData* runningPage = nullptr;
std::vector<bool> enabledInsideAStep;

// Looks at the controls at the first tick that comes inside a step (the
// Next button is disabled only then).
void CALLBACK LookAtTheControls(HWND, UINT, UINT_PTR, DWORD) {
    if (!enabledInsideAStep.empty() || runningPage->BNext->Enabled()) return;
    for (TWinControl* control :
         std::initializer_list<TWinControl*>{runningPage->Ck1, runningPage->Ck2, runningPage->Ck3, runningPage->BBack,
                                             runningPage->BNext, runningPage->BCancel})
        enabledInsideAStep.push_back(control->Enabled() && IsWindowEnabled(control->Handle()));
}

TEST_F(UpgradeDataPage, WhileTheStepsRunNoControlCanBeUsed) {
    TUpgData page(nullptr);
    runningPage = &page;
    enabledInsideAStep.clear();
    page.HandleNeeded();
    PostMessageA(page.BNext->Handle(), BM_CLICK, 0, 0);
    const UINT_PTR timer = SetTimer(nullptr, 0, 1, LookAtTheControls);
    EXPECT_EQ(page.ShowModal(), mrOk);
    KillTimer(nullptr, timer);
    runningPage = nullptr;
    ASSERT_FALSE(enabledInsideAStep.empty()) << "no tick came inside a step";
    EXPECT_EQ(enabledInsideAStep, std::vector<bool>(6, false)) << "boxes Ck1..Ck3, then Back, Next, Cancel";
}

TEST_F(UpgradeDataPage, AltQPressedWhileAStepRunsReachesTheLibraryInsideTheStep) {
    TUpgData page(nullptr);
    page.Ck2->SetChecked(false);
    page.Ck3->SetChecked(false);
    page.HandleNeeded();
    // Queued behind the click: the page only sees it when the library's
    // first report lets the messages through, inside the step.
    PostMessageA(page.BNext->Handle(), BM_CLICK, 0, 0);
    PostKey(page, 'Q', true);
    int result = mrNone;
    {
        HeldKeys alt({VK_MENU});
        result = page.ShowModal();
    }
    EXPECT_EQ(result, mrOk);
    EXPECT_TRUE(page.QuickVerif());
    EXPECT_EQ(trace_.Calls(), (Calls{"SetReportProc", "SetQuickVerif", "DoStructureUpgrade", "GetSemaforOK"}));
    EXPECT_EQ(trace_.Lines()[1], "SetQuickVerif on=1 during=DoStructureUpgrade result=-");
}

}  // namespace
