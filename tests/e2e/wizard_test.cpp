// The wizard of the work copy, driven from outside as a person would: the
// kit is started, the main window and the pages appear one after the
// other, and the buttons are clicked where they are on the screen. Each
// page is kept as a picture in the build tree.
#include <windows.h>

#include <gtest/gtest.h>

#include "kit_run.h"
#include "core/program_path.h"
#include "ui_driver.h"

namespace {

const char* const TypeCaption = "Alegeti tipul instalarii!";
const char* const FoldersCaption = "Alegeti directoarele destinatie!";
const char* const CopyCaption = "Copiere fisiere Korven";
const char* const EndCaption = "Configurare sistem";
// The folders the pages propose; every scenario starts and ends without it.
const char* const DefaultFolder = "C:\\WinKorv";

std::string TestName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

class Wizard : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = "C:\\korven-e2e\\" + TestName();
        RemoveTree(root_);
        RemoveTree(DefaultFolder);
        kit_ = root_ + "\\kit\\";
        MakeFolders(root_ + "\\kit");
        MakeFolders(root_ + "\\work");
        CopyFileA((ProgramFolder() + "INSTALL.EXE").c_str(), (kit_ + "INSTALL.EXE").c_str(), FALSE);
        WriteWholeFile(kit_ + "UPGRADE.1", "");
        WriteWholeFile(kit_ + "INSTALL.CFG", "[General]\r\nNrDiscuri=1\r\n");
        CreateDirectoryA(KORVEN_SHOT_DIR, nullptr);
    }
    void TearDown() override {
        RemoveTree(root_);
        RemoveTree(DefaultFolder);
    }

    // Starts the kit and answers the work copy that it leaves running.
    WorkCopy StartWizard() {
        const KitRun kit = StartKit(kit_ + "INSTALL.EXE", "", root_ + "\\work");
        EXPECT_EQ(kit.exitCode, 0u);
        WorkCopy work = FindWorkCopy();
        EXPECT_NE(work.processId, 0u) << "no work copy started";
        return work;
    }

    // Named with the screen's size: the scenarios run at more than one.
    static void Shot(const std::string& name) {
        const std::string size =
            std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" + std::to_string(GetSystemMetrics(SM_CYSCREEN));
        ui::SaveScreen(std::string(KORVEN_SHOT_DIR) + "/" + name + "_" + size + ".bmp");
    }

    // The type page: choose the item, go on; confirm the folders; then leave
    // from the end page.
    void InstallAs(const std::string& item, const std::string& shotName, bool client = false) {
        WorkCopy work = StartWizard();
        ASSERT_NE(work.processId, 0u);
        ASSERT_TRUE(ui::WaitForWindow("Installer", work.processId)) << "no main window";
        HWND type = ui::WaitForWindow(TypeCaption, work.processId);
        ASSERT_TRUE(type) << "no installation-type page";
        HWND next = ui::Control(type, "&Continua");
        ASSERT_TRUE(next);
        EXPECT_FALSE(IsWindowEnabled(next)) << "nothing is chosen yet";
        HWND choice = ui::Control(type, item);
        ASSERT_TRUE(choice) << item;
        ui::Click(choice);
        ui::Settle();
        EXPECT_TRUE(IsWindowEnabled(next));
        Shot(shotName);
        ui::Click(next);
        ASSERT_TRUE(ui::WaitGone(type));

        HWND folders = ui::WaitForWindow(FoldersCaption, work.processId);
        ASSERT_TRUE(folders) << "no folders page";
        HWND foldersNext = ui::Control(folders, "&Continua");
        ASSERT_TRUE(foldersNext);
        if (client) {
            // A client's database must already be there, and Next waits
            // until the person has touched the data folder's field.
            EXPECT_FALSE(IsWindowEnabled(foldersNext));
            MakeFolders(DefaultFolder);
            HWND dataField = ui::EditField(folders, 1);
            ASSERT_TRUE(dataField) << "no data folder field";
            ui::Click(dataField);
            ui::TypeText(DefaultFolder);
            ui::Settle();
        }
        EXPECT_TRUE(IsWindowEnabled(foldersNext));
        Shot(shotName + "_folders");
        ui::Click(foldersNext);
        ASSERT_TRUE(ui::WaitGone(folders));

        // The copy page comes next; these runs stop there, the whole
        // installations have tests of their own.
        HWND copy = ui::WaitForWindow(CopyCaption, work.processId);
        ASSERT_TRUE(copy) << "no copy page";
        ui::Click(ui::Control(copy, "&Abandon"));
        EXPECT_EQ(work.WaitForExit(), 0u);
        const DWORD program = GetFileAttributesA(DefaultFolder);
        EXPECT_TRUE(program != INVALID_FILE_ATTRIBUTES && (program & FILE_ATTRIBUTE_DIRECTORY))
            << "the program folder was confirmed, so it exists";
    }

    std::string root_, kit_;
};

TEST_F(Wizard, LocalInstallationReachesTheCopyPage) {
    InstallAs(" &LOCAL     - programul va fi folosit numai pe acest calculator", "type_page_local");
}

TEST_F(Wizard, ServerInstallationReachesTheCopyPage) {
    InstallAs(" &SERVER  - acest calculator va contine baza de date", "type_page_server");
}

TEST_F(Wizard, ClientInstallationReachesTheCopyPage) {
    InstallAs(" CLIEN&T    - programul va folosi o baza de date aflata la distanta", "type_page_client", true);
}

TEST_F(Wizard, AbandonOnTheFirstPageEndsTheProgram) {
    WorkCopy work = StartWizard();
    HWND type = ui::WaitForWindow(TypeCaption, work.processId);
    ASSERT_TRUE(type);
    // Alt+A, the accelerator of "&Abandon", from the keyboard.
    ui::PressKey('A', true);
    EXPECT_EQ(work.WaitForExit(), 0u);
    EXPECT_FALSE(ui::FindWindowNow(EndCaption, work.processId));
}

TEST_F(Wizard, NegativeDiskCountIsReportedBeforeTheFirstPage) {
    WriteWholeFile(kit_ + "INSTALL.CFG", "[General]\r\nNrDiscuri=-2\r\n");
    WorkCopy work = StartWizard();
    HWND warning = ui::WaitForWindow("Atentie !", work.processId);
    ASSERT_TRUE(warning) << "no warning";
    EXPECT_FALSE(ui::FindWindowNow(TypeCaption, work.processId)) << "the warning comes before the first page";
    Shot("disk_count_warning");
    ui::PressKey(VK_RETURN);
    HWND type = ui::WaitForWindow(TypeCaption, work.processId);
    ASSERT_TRUE(type) << "the wizard goes on after the warning";
    ui::Click(ui::Control(type, "&Abandon"));
    EXPECT_EQ(work.WaitForExit(), 0u);
}

}  // namespace
