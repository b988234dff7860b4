// Unattended runs: the pilot answers the real pages through their controls,
// every dialog is answered as Cancel would without a window, and the run
// records why it ended. Each test runs in a process of its own, so a run
// that ends the application ends only its test.
#include "shell/unattended_pilot.h"

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/stdctrls.h"
#include "tests/support/page_test.h"
#include "pages/dirs_page.h"
#include "pages/end_page.h"
#include "pages/find_app_page.h"
#include "pages/install_type_page.h"
#include "pages/restart_request.h"
#include "shell/server_upgrade_question.h"
#include "core/outcome.h"
#include "core/settings.h"
#include "toolkit/message_dialog.h"
#include "core/unattended.h"
#include "core/unattended_page.h"
#include "shell/wizard.h"

namespace {

// A page whose Next asks for a disk, as the copy page does, and goes on only
// when the disk is given.
class DiskPromptPage : public TForm, public TUnattendedPage {
public:
    DiskPromptPage() : TForm(nullptr) {
        SetBorderStyle(bsDialog);
        SetClientWidth(300);
        SetClientHeight(100);
        next = new TButton(this);
        next->SetName("BNext");
        next->SetParent(this);
        next->SetBounds(10, 10, 80, 25);
        next->OnClick = [this](TObject*) {
            const int answer = RomMessageDlg("introdu discul de instalare cu numarul \r2", "", mtWarning, taCenter,
                                             {mbOK, mbCancel}, mbOK);
            SetModalResult(answer == mrCancel ? mrCancel : mrOk);
        };
    }
    void AnswerUnattended() override { Press(next); }

    TButton* next = nullptr;  // not owned: a component of the page
};

class UnattendedRun : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        Unattended = TUnattendedAnswers{};
        Unattended.Active = true;
        MessagePrefix.clear();
        AnswerDialogsUnattended();
        SetMessageDialogWatcher([this](TMessageDialogForm& dialog) {
            ++dialogsShown;
            dialog.SetModalResult(mrCancel);
        });
        char temp[MAX_PATH], full[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        GetFullPathNameA((std::string(temp) + "korven_pilot_" + std::to_string(GetCurrentProcessId())).c_str(),
                         sizeof full, full, nullptr);
        root = full;
        CreateDirectoryA(root.c_str(), nullptr);
    }
    void TearDown() override {
        SetUnattendedDialogHandler({});
        Application().OnException = nullptr;
        SetMessageDialogWatcher({});
        SetRestartHook({});
        for (const char* sub : {"\\Program", "\\Date", ""}) RemoveDirectoryA((root + sub).c_str());
    }

    // The slot's real page in the wizard, with the pages after it passed
    // over unless given; every page created is noted.
    template <class Page, class... Args>
    void Place(int slot, Args... args) {
        pages[slot] = [this, slot, args...]() -> std::unique_ptr<TForm> {
            visits.push_back(slot);
            return std::make_unique<Page>(nullptr, args...);
        };
    }
    bool Run() {
        return RunWizard({&pages, [] {}, [] {}, [] { return false; }, {}}, PilotPage);
    }

    WizardPageTable pages;
    std::vector<int> visits;
    int dialogsShown = 0;
    std::string root;
};

TEST_F(UnattendedRun, TheTypePageTakesTheGivenTypeAndGoesOn) {
    for (TInstallType type : {itLocal, itServer, itClient}) {
        InstallSettings = TInstallSettings{};
        Unattended.Type = type;
        Place<TIType>(SlotInstallType);
        EXPECT_TRUE(Run()) << int(type);
        EXPECT_EQ(InstallSettings.InstallType, type);
    }
    EXPECT_EQ(RunOutcome(), ecInstalled);
}

TEST_F(UnattendedRun, TheFoldersPageTakesTheGivenFoldersAndCreatesThem) {
    Unattended.ProgramDir = root + "\\Program";
    Unattended.DataDir = root + "\\Date";
    InstallSettings.InstallType = itServer;
    Place<TDirs>(SlotFolders);
    EXPECT_TRUE(Run());
    EXPECT_EQ(InstallSettings.ProgramDir, root + "\\Program");
    EXPECT_EQ(InstallSettings.DataDir, root + "\\Date");
    EXPECT_NE(GetFileAttributesA((root + "\\Date").c_str()), INVALID_FILE_ATTRIBUTES);

    // A local installation keeps its data with the program, whatever /DATA says.
    InstallSettings = TInstallSettings{};
    InstallSettings.InstallType = itLocal;
    Unattended.DataDir = "C:\\Elsewhere";
    EXPECT_TRUE(Run());
    EXPECT_EQ(InstallSettings.DataDir, root + "\\Program");
    EXPECT_EQ(dialogsShown, 0);
}

TEST_F(UnattendedRun, AClientWhoseDataFolderIsMissingEndsCancelledBeforeTheCopy) {
    InstallSettings.InstallType = itClient;
    Unattended.ProgramDir = root + "\\Program";
    Unattended.DataDir = root + "\\NoSuchDatabase";
    Place<TDirs>(SlotFolders);
    Place<TIType>(SlotCopy);  // any page: it must never be created
    EXPECT_FALSE(Run());
    EXPECT_EQ(visits, (std::vector<int>{SlotFolders}));
    EXPECT_EQ(RunOutcome(), ecCancelled);
    EXPECT_EQ(dialogsShown, 0);
    EXPECT_EQ(InstallSettings.CurrentPage, SlotDone);
}

TEST_F(UnattendedRun, APageTheAnswersCannotPassEndsCancelledInsteadOfWaiting) {
    // Not a full folder name: the folders page stays open without a word.
    InstallSettings.InstallType = itLocal;
    Unattended.ProgramDir = "WinKorv";
    Place<TDirs>(SlotFolders);
    EXPECT_FALSE(Run());
    EXPECT_EQ(RunOutcome(), ecCancelled);
}

TEST_F(UnattendedRun, TheEndPageRestartsOnlyWhenAskedAndCompletesEitherWay) {
    for (bool restart : {false, true}) {
        int asked = 0;
        SetRestartHook([&] {
            ++asked;
            return false;  // refused: the installation is complete all the same
        });
        Unattended.Restart = restart;
        InstallSettings = TInstallSettings{};
        InstallSettings.CurrentPage = SlotEnd;
        Place<TEndScreen>(SlotEnd);
        EXPECT_TRUE(Run()) << restart;
        EXPECT_EQ(asked, restart ? 1 : 0);
    }
    EXPECT_EQ(RunOutcome(), ecInstalled);
}

TEST_F(UnattendedRun, AnUpgradeThatFindsNoInstallationEndsCancelled) {
    InstallSettings.UpgradeMode = true;
    InstallSettings.CurrentPage = SlotFindApp;
    Place<TFindApp>(SlotFindApp, std::string());
    Place<TEndScreen>(SlotEnd);
    EXPECT_FALSE(Run());
    EXPECT_EQ(visits, (std::vector<int>{SlotFindApp}));
    EXPECT_EQ(RunOutcome(), ecCancelled);
}

TEST_F(UnattendedRun, ADeclinedDiskEndsTheRunAndNothingAfterTheCopyRuns) {
    InstallSettings.CurrentPage = SlotCopy;
    pages[SlotCopy] = [this] {
        visits.push_back(SlotCopy);
        return std::make_unique<DiskPromptPage>();
    };
    Place<TEndScreen>(SlotConfig);
    Place<TEndScreen>(SlotEnd);
    EXPECT_FALSE(Run());
    EXPECT_EQ(visits, (std::vector<int>{SlotCopy}));
    EXPECT_EQ(RunOutcome(), ecCancelled);
    EXPECT_TRUE(Application().Terminated());
    EXPECT_EQ(dialogsShown, 0);
}

TEST_F(UnattendedRun, DialogsAnswerAsCancelWouldWithoutAWindow) {
    struct Case {
        TMsgDlgButtons buttons;
        TMsgDlgBtn defaultButton;
        int answer;
    };
    const std::vector<Case> cases{
        {{mbOK, mbCancel}, mbOK, mrCancel},                // Cancel when offered
        {{mbYes, mbNo, mbCancel}, mbYes, mrCancel},        //
        {{mbYes, mbNo}, mbYes, mrNo},                      // else No
        {{mbOK}, mbOK, mrOk},                              // else Escape's button
        {{mbAbort, mbRetry, mbIgnore}, mbRetry, mrRetry},  // else the default
    };
    std::vector<std::string> seen;
    SetUnattendedDialogHandler([&](TMsgDlgType kind, const std::string& caption, const std::string& message) {
        seen.push_back(std::to_string(kind) + "|" + caption + "|" + message);
    });
    for (const Case& c : cases)
        EXPECT_EQ(RomMessageDlg("Mesaj", "Titlu", mtWarning, taCenter, c.buttons, c.defaultButton), c.answer)
            << c.buttons.Bits();
    EXPECT_EQ(dialogsShown, 0);
    // The caption a person would read, and the message under its prefix.
    MessagePrefix = "Pentru continuare";
    RomMessageDlg("introdu discul", "", mtError, taCenter, {mbOK}, mbOK);
    ASSERT_EQ(seen.size(), cases.size() + 1);
    EXPECT_EQ(seen.front(), std::to_string(mtWarning) + "|Titlu|Mesaj");
    EXPECT_EQ(seen.back(), std::to_string(mtError) + "|" + std::string(DefaultDialogCaption(mtError)) + "|" +
                               WithMessagePrefix("Pentru continuare", "introdu discul"));
}

TEST_F(UnattendedRun, AFailureRecordedBeforeItsDialogStaysTheReason) {
    RecordOutcome(ecFailed);
    RomMessageDlg("Eroare DDE!", "Eroare...", mtError, taCenter, {mbCancel}, mbCancel);
    EXPECT_TRUE(Application().Terminated());
    EXPECT_EQ(RunOutcome(), ecFailed);
}

TEST_F(UnattendedRun, ADialogAloneEndsTheRunCancelled) {
    EXPECT_EQ(
        RomMessageDlg("Nu am putut incarca UPGRADE.DLL", "Program incomplet!", mtError, taCenter, {mbCancel}, mbCancel),
        mrCancel);
    EXPECT_TRUE(Application().Terminated());
    EXPECT_EQ(RunOutcome(), ecCancelled);
    RecordOutcome(ecFailed);  // a later failure does not replace the first reason
    EXPECT_EQ(RunOutcome(), ecCancelled);
}

TEST_F(UnattendedRun, AnErrorNoStepCaughtEndsTheRunFailedWithoutAMessageBox) {
    Application().HandleException(std::make_exception_ptr(std::runtime_error("disc plin")));
    EXPECT_TRUE(Application().Terminated());
    EXPECT_EQ(RunOutcome(), ecFailed);
}

TEST_F(UnattendedRun, TheClientsServerUpgradeQuestionTakesTheGivenAnswer) {
    InstallSettings.InstallType = itClient;
    for (bool answer : {false, true}) {
        Unattended.ServerUpgrade = answer;
        EXPECT_EQ(AskServerUpgrade(), answer);
    }
    EXPECT_EQ(dialogsShown, 0);
    EXPECT_FALSE(Application().Terminated());
}

}  // namespace
