// The uninstaller's three pages, shown modally and clicked through with real
// window messages: what they ask, what they hand on, and what they say.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/unattended.h"
#include "framework/extctrls.h"
#include "framework/stdctrls.h"
#include "tests/support/dialog_recorder.h"
#include "tests/support/files.h"
#include "tests/support/page_test.h"
#include "tests/support/scratch_folder.h"
#include "toolkit/active_check_box.h"
#include "toolkit/mbutton.h"
#include "toolkit/message_dialog.h"
#include "toolkit/nice_button.h"
#include "uninstall/confirm_page.h"
#include "uninstall/end_page.h"
#include "uninstall/progress_page.h"
#include "uninstall/uninstall_session.h"

namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class UninstallPages : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        Unattended = TUnattendedAnswers{};
        session.record.type = itLocal;
        session.record.programDir = program.Path();
        session.record.dataDir = program.Path();
        session.record.group = "WinKORVEN";
        session.uninstaller = program.File("DEZINST.EXE");
        session.steps = {[](const std::vector<std::string>&) { return true; }, [](const std::string&) { return true; },
                         [] { return std::optional<std::int64_t>(0); }, [] { return true; }, [] { return true; }};
    }
    void TearDown() override {
        SetMessageDialogWatcher(nullptr);
        Unattended = TUnattendedAnswers{};
    }

    ScratchFolder program{"uninstall pages"};
    UninstallSession session;
};

TEST_F(UninstallPages, TheDataBoxStartsEmptyAndTickingItAsksWithNoAsTheDefault) {
    DialogRecorder dialogs;  // answers with the default button
    TUninstConfirm page(nullptr, session);
    EXPECT_TRUE(page.CkData->Visible());
    EXPECT_FALSE(page.CkData->Checked());
    EXPECT_EQ(ShowClicking(page, {page.CkData->Handle(), page.BNext->Handle()}), mrOk);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(Contains(dialogs.shown[0].message, program.Path())) << dialogs.shown[0].message;
    EXPECT_FALSE(page.CkData->Checked()) << "No, the default, unticks it";
    EXPECT_FALSE(session.removeData);
}

TEST_F(UninstallPages, YesToTheQuestionRemovesTheDataAndThePageSaysSo) {
    int asked = 0;
    SetMessageDialogWatcher([&](TMessageDialogForm& dialog) {
        ++asked;
        dialog.SetModalResult(mrYes);
    });
    TUninstConfirm page(nullptr, session);
    EXPECT_TRUE(Contains(page.MWhat->Lines().Text(), "Raman: datele firmei")) << page.MWhat->Lines().Text();
    EXPECT_EQ(ShowClicking(page, {page.CkData->Handle(), page.BNext->Handle()}), mrOk);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(session.removeData);
    EXPECT_TRUE(Contains(page.MWhat->Lines().Text(), "Se sterg si datele firmei")) << page.MWhat->Lines().Text();
}

TEST_F(UninstallPages, AClientIsNeverOfferedTheDataAndAbandonRemovesNothing) {
    session.record.type = itClient;
    TUninstConfirm page(nullptr, session);
    EXPECT_FALSE(page.CkData->Visible());
    EXPECT_TRUE(Contains(page.MWhat->Lines().Text(), "pe server")) << page.MWhat->Lines().Text();
    EXPECT_EQ(ShowClicking(page, {page.BCancel->Handle()}), mrCancel);
    EXPECT_FALSE(session.removeData);
}

TEST_F(UninstallPages, UnattendedTheBoxTakesRemoveDataWithoutAQuestionButNeverForAClient) {
    DialogRecorder dialogs;
    Unattended.Active = true;
    Unattended.RemoveData = true;
    for (TInstallType type : {itLocal, itClient}) {
        session.record.type = type;
        TUninstConfirm page(nullptr, session);
        page.HandleNeeded();
        page.AnswerUnattended();
        EXPECT_EQ(page.ModalResult(), mrOk);
        EXPECT_EQ(session.removeData, type != itClient);
    }
    EXPECT_TRUE(dialogs.shown.empty());
}

// The removal starts by itself once the page is up; the gauge ends full and
// the exit code is handed over before the uninstaller goes.
TEST_F(UninstallPages, ProgressRunsTheRemovalByItselfAndClosesWithNext) {
    WriteBytes(program.File("DEZINST.EXE"), "uninstaller");
    WriteBytes(program.File("KORVEN.EXE"), "123456789");
    RecordFile(session.record, {"EXE", "KORVEN.EXE", 9, 0xCBF43926});
    ASSERT_TRUE(WriteInstallationRecord(session.record));
    bool uninstallerThere = false;
    session.beforeUninstallerRemoval = [&] {
        uninstallerThere = GetFileAttributesA(session.uninstaller.c_str()) != INVALID_FILE_ATTRIBUTES;
    };
    TUninstProgress page(nullptr, session);
    EXPECT_EQ(page.ShowModal(), mrOk);
    EXPECT_TRUE(uninstallerThere);
    EXPECT_EQ(page.Progress->Progress(), page.Progress->MaxValue());
    ASSERT_TRUE(session.outcome.has_value());
    EXPECT_TRUE(session.outcome->Succeeded());
    EXPECT_FALSE(IsExistingFolder(program.Path()));
}

// A step that fails in a way nobody foresaw is told, and the page closes;
// the uninstaller and its record stay for another try.
TEST_F(UninstallPages, AStepThatThrowsIsToldAndClosesThePageWithTheUninstallerStillThere) {
    DialogRecorder dialogs;
    WriteBytes(program.File("DEZINST.EXE"), "uninstaller");
    session.record.aliases = {{"KORVEN", program.File("DATA")}};
    ASSERT_TRUE(WriteInstallationRecord(session.record));
    session.steps.removeAliases = [](const std::vector<std::string>&) -> bool {
        throw std::runtime_error("motorul nu raspunde");
    };
    TUninstProgress page(nullptr, session);
    EXPECT_EQ(page.ShowModal(), mrCancel);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(Contains(dialogs.shown[0].message, "motorul nu raspunde")) << dialogs.shown[0].message;
    EXPECT_FALSE(session.outcome.has_value());
    EXPECT_EQ(ReadBytes(program.File("DEZINST.EXE")), "uninstaller");
    std::string problem;
    EXPECT_TRUE(ReadInstallationRecord(program.Path(), &problem).has_value()) << problem;
}

TEST_F(UninstallPages, TheEndPageSaysWhatStays) {
    RemovalOutcome outcome;
    outcome.filesRemoved = 12;
    outcome.changedKept = {program.File("CFX32.OCX")};
    outcome.foldersKept = {program.Path()};
    session.outcome = outcome;
    TUninstEnd page(nullptr, session);
    const std::string text = page.MDone->Lines().Text();
    for (const std::string& part :
         {std::string("KORVEN a fost dezinstalat"), std::string("12 fisiere"), "datele firmei din " + program.Path(),
          std::string("un fisier modificat"), std::string("CONFIG.SYS")})
        EXPECT_TRUE(Contains(text, part)) << part << "\n" << text;
    EXPECT_EQ(ShowClicking(page, {page.BDone->Handle()}), mrOk);
}

}  // namespace
