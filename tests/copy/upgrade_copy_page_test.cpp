// The upgrade's copy page driven in-process over a prepared earlier
// installation: a kit made in the test, Next pressed as a real click; the
// files, the gauge, the dialogs and the diagnostic log show what it did.
#include "copy/upgrade_copy_page.h"
#include "copy_test_support.h"

#include "core/debug_log.h"
#include "core/installation_record.h"
#include "core/program_path.h"
#include "core/text.h"
#include "core/version.h"
#include "tests/support/record_check.h"
#include "framework/extctrls.h"
#include "core/settings.h"
#include "toolkit/active_label.h"
#include "toolkit/mbutton.h"
#include "toolkit/message_dialog.h"
#include "toolkit/nice_button.h"
#include "toolkit/title_bar.h"
#include "toolkit/toolkit_start.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr const char* kNote = "  *       ";  // a note at depth 0

class UpgradeCopyPageTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { StartToolkit(); }

    void SetUp() override {
        InstallSettings = TInstallSettings{};
        InstallSettings.InstallType = itLocal;
        InstallSettings.DiskCount = 6;
        InstallSettings.SourceDir = kit + "\\";
        // As the installation search leaves them: the program folder with
        // its final backslash, the data folder (the alias's) without.
        InstallSettings.DefaultProgramDir = InstallSettings.ProgramDir = program + "\\";
        InstallSettings.DefaultDataDir = InstallSettings.DataDir = data;
        MessagePrefix.clear();
        WriteBytes(kit + "\\DISK1", "");
        SetMessageDialogWatcher([this](TMessageDialogForm& dialog) {
            dialogs.push_back(dialog.Message());
            dialog.SetModalResult(respond ? respond() : answer);
        });
        DebugEnabled = true;
        DebugOpen(log, "INSTALL");
    }

    void TearDown() override {
        DebugClose();
        SetMessageDialogWatcher(nullptr);
        MessagePrefix.clear();
    }

    // What an earlier installation left: programs, the engine's library
    // among them, the customer's data and the sample database.
    void PrepareOldInstallation() {
        for (const char* file : {"KORVEN.EXE", "README.TXT", "KORVEN.HLP"}) WriteBytes(program + "\\" + file, "vechi");
        WriteBytes(program + "\\IDAPI32.DLL", "motorul instalat");
        temp.Make("Date\\DATA");
        temp.Make("Date\\NEW\\DATA");
        WriteBytes(data + "\\DATA\\CLIENTI.DB", "datele clientului");
        WriteBytes(data + "\\NEW\\DATA\\CLIENTI.DB", "martor vechi");
    }

    void ExpectOldInstallationUntouched() {
        for (const char* file : {"KORVEN.EXE", "README.TXT", "KORVEN.HLP"})
            EXPECT_EQ(ReadBytes(program + "\\" + file), "vechi") << file;
        EXPECT_FALSE(FileExists(program + "\\OUTPOST.EXE"));
        EXPECT_EQ(ReadBytes(data + "\\NEW\\DATA\\CLIENTI.DB"), "martor vechi");
        EXPECT_FALSE(FileExists(data + "\\DATA\\FIRME.DB"));
        ExpectNoAssembledArchives();
    }

    void PutUpgradeKit(const std::vector<std::string>& components = {"EXE", "OUTPOST", "DBDAT", "DBNEW", "HELP",
                                                                     "PAYROLL"}) {
        for (const std::string& component : components)
            CutIntoPieces(UpgradeKitArchive(component), kit, component, 20000);
    }

    int PressNext(TUpgCopy& page) {
        page.HandleNeeded();
        PostMessageA(page.BNext->Handle(), BM_CLICK, 0, 0);
        return page.ShowModal();
    }

    bool FromKit(const std::string& folder, const std::string& component, const std::string& relative) {
        return FileExists(folder + "\\" + relative) &&
               ReadBytes(folder + "\\" + relative) == ReadBytes(UpgradeKitSourceFile(component, relative));
    }

    // The questions noted in the log, time stamps checked and cut off: each
    // member's path and the answer noted after it. `questions` counts them.
    std::map<std::string, std::string> Answers() {
        static const std::regex stamp(R"( <TIMP \d\d:\d\d:\d\d\.\d\d\d > $)");
        std::vector<std::string> notes;
        const std::string text = ReadBytes(log);
        size_t start = 0;
        for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
            const std::string line = text.substr(start, end - start);
            std::smatch match;
            EXPECT_TRUE(std::regex_search(line, match, stamp)) << "no time stamp: " << line;
            const std::string entry = line.substr(0, line.size() - match.length());
            if (entry.rfind(kNote, 0) == 0) notes.push_back(entry.substr(std::string(kNote).size()));
        }
        const std::string question = "Confirmare pentru: ";
        std::map<std::string, std::string> answers;
        questions = 0;
        for (size_t i = 0; i < notes.size(); ++i) {
            if (notes[i].rfind(question, 0) != 0) continue;
            ++questions;
            EXPECT_LT(i + 1, notes.size()) << "no answer noted for " << notes[i];
            if (i + 1 < notes.size()) answers[notes[i].substr(question.size())] = notes[i + 1];
        }
        return answers;
    }

    void ExpectNoAssembledArchives() {
        for (const char* archive : {"EXE.ZIP", "OUTPOST.ZIP", "DBDAT.ZIP", "DBNEW.ZIP", "HELP.ZIP", "PAYROLL.ZIP"})
            EXPECT_FALSE(FileExists(program + "\\" + archive)) << archive;
    }

    ScratchFolder temp{"korven_upgrade_copy"};
    std::string kit = temp.Make("kit");
    std::string program = temp.Make("WinKorv");
    std::string data = temp.Make("Date");
    std::string log = temp.Path() + "\\korvinst.log";

    std::vector<std::string> dialogs;
    int answer = mrCancel;
    std::function<int()> respond;  // when set, answers instead of `answer`
    size_t questions = 0;
};

TEST_F(UpgradeCopyPageTest, TakesTheCopyPagesForm) {
    TUpgCopy page(nullptr);
    EXPECT_EQ(page.ClientWidth(), 637);
    EXPECT_EQ(page.ClientHeight(), 114);
    EXPECT_EQ(page.TitleBar()->Caption(), "Copiere fisiere Korven");
    EXPECT_EQ(page.LGroupName->Caption(), "Apasa 'Continua' pentru a incepe instalarea.....");
    EXPECT_EQ(page.LCopyProgress->Caption(), "Copiere:");
    EXPECT_EQ(page.LUnzipProgress->Caption(), "Decompresie:");
    EXPECT_EQ(page.UnzipProgress->MaxValue(), 100);
    EXPECT_EQ(page.BNext->Caption(), "&Continua");
    EXPECT_EQ(page.BNext->ModalResult(), mrNone) << "Next's result is decided in code";
    EXPECT_EQ(page.BBack->Caption(), "&Inapoi");
    EXPECT_EQ(page.BBack->ModalResult(), mrRetry);
    EXPECT_EQ(page.BCancel->Caption(), "&Abandon");
    EXPECT_EQ(page.BCancel->ModalResult(), mrCancel);
}

TEST_F(UpgradeCopyPageTest, ReplacesTheProgramsButTheEngineKeepsTheDataAndRefreshesTheSample) {
    PrepareOldInstallation();
    PutUpgradeKit();
    WriteBytes(program + "\\KEEP.ZIP", "the user's own archive");
    TUpgCopy page(nullptr);

    EXPECT_EQ(PressNext(page), mrOk);
    EXPECT_TRUE(dialogs.empty()) << dialogs.front();
    EXPECT_TRUE(FromKit(program, "EXE", "KORVEN.EXE")) << "three pieces joined and put over the old file";
    EXPECT_TRUE(FromKit(program, "EXE", "README.TXT"));
    EXPECT_TRUE(FromKit(program, "HELP", "KORVEN.HLP"));
    EXPECT_EQ(ReadBytes(program + "\\IDAPI32.DLL"), "motorul instalat");
    EXPECT_EQ(ReadBytes(data + "\\DATA\\CLIENTI.DB"), "datele clientului");
    EXPECT_TRUE(FromKit(data, "DBNEW", "NEW\\DATA\\CLIENTI.DB"));
    // Files the old installation did not have.
    EXPECT_TRUE(FromKit(program, "EXE", "NOU\\NOTE.TXT"));
    EXPECT_TRUE(FromKit(program, "OUTPOST", "OUTPOST.EXE"));
    EXPECT_TRUE(FromKit(program, "PAYROLL", "PAYROLL.EXE"));
    EXPECT_TRUE(FromKit(data, "DBDAT", "DATA\\FIRME.DB"));
    EXPECT_TRUE(FromKit(data, "DBNEW", "NEW\\DATA\\GOL.DB"));

    EXPECT_EQ(page.UnzipProgress->Progress(), 100) << "the files kept count as done";
    ExpectNoAssembledArchives();
    EXPECT_EQ(ReadBytes(program + "\\KEEP.ZIP"), "the user's own archive");
    EXPECT_EQ(MessagePrefix, "") << "the disk prompts' prefix is not left for later dialogs";
    char current[MAX_PATH];
    GetCurrentDirectoryA(sizeof current, current);
    EXPECT_STRCASEEQ(current, program.c_str());

    const std::map<std::string, std::string> expected{
        {"KORVEN.EXE", "Confirmat"}, {"README.TXT", "Confirmat"},     {"KORVEN.HLP", "Confirmat"},
        {"IDAPI32.DLL", "NU!!!"},    {"\\DATA\\CLIENTI.DB", "NU!!!"}, {"\\NEW\\DATA\\CLIENTI.DB", "Confirmat"},
    };
    EXPECT_EQ(Answers(), expected);
    EXPECT_EQ(questions, expected.size()) << "one question for each file that was there, none for the others";
}

TEST_F(UpgradeCopyPageTest, AProgramFolderWithoutItsFinalBackslashReplacesEveryExistingProgram) {
    InstallSettings.DefaultProgramDir = InstallSettings.ProgramDir = program;
    PrepareOldInstallation();
    PutUpgradeKit({"EXE", "OUTPOST", "HELP", "PAYROLL"});
    InstallSettings.InstallType = itClient;
    TUpgCopy page(nullptr);

    EXPECT_EQ(PressNext(page), mrOk);
    EXPECT_TRUE(dialogs.empty()) << dialogs.front();
    EXPECT_TRUE(FromKit(program, "EXE", "IDAPI32.DLL"));
    EXPECT_TRUE(FromKit(program, "EXE", "KORVEN.EXE"));
    const std::map<std::string, std::string> expected{
        {"\\KORVEN.EXE", "Confirmat"},
        {"\\README.TXT", "Confirmat"},
        {"\\KORVEN.HLP", "Confirmat"},
        {"\\IDAPI32.DLL", "Confirmat"},
    };
    EXPECT_EQ(Answers(), expected);
}

TEST_F(UpgradeCopyPageTest, AClientUpgradeCopiesNoDatabase) {
    PrepareOldInstallation();
    PutUpgradeKit();
    InstallSettings.InstallType = itClient;
    TUpgCopy page(nullptr);

    EXPECT_EQ(PressNext(page), mrOk);
    EXPECT_TRUE(dialogs.empty()) << dialogs.front();
    EXPECT_TRUE(FromKit(program, "EXE", "KORVEN.EXE"));
    EXPECT_EQ(ReadBytes(data + "\\NEW\\DATA\\CLIENTI.DB"), "martor vechi");
    EXPECT_FALSE(FileExists(data + "\\DATA\\FIRME.DB"));
    EXPECT_FALSE(FileExists(data + "\\NEW\\DATA\\GOL.DB"));
    EXPECT_FALSE(FileExists(program + "\\DBDAT.ZIP")) << "the database pieces are not even joined";
    EXPECT_FALSE(FileExists(program + "\\DBNEW.ZIP"));
    EXPECT_EQ(page.UnzipProgress->Progress(), 100);
    EXPECT_EQ(Answers().count("\\DATA\\CLIENTI.DB"), 0u);
}

TEST_F(UpgradeCopyPageTest, AMissingOptionalModuleIsPassedOverWithoutAWord) {
    PrepareOldInstallation();
    PutUpgradeKit({"EXE", "OUTPOST", "DBDAT", "DBNEW", "HELP"});
    TUpgCopy page(nullptr);

    EXPECT_EQ(PressNext(page), mrOk);
    EXPECT_TRUE(dialogs.empty()) << dialogs.front();
    EXPECT_TRUE(FromKit(program, "EXE", "KORVEN.EXE"));
    EXPECT_TRUE(FromKit(program, "HELP", "KORVEN.HLP")) << "the rows after it are extracted";
    EXPECT_FALSE(FileExists(program + "\\PAYROLL.EXE"));
    ExpectNoAssembledArchives();
}

TEST_F(UpgradeCopyPageTest, AMissingRequiredArchiveIsToldBeforeAnyFileIsReplaced) {
    PrepareOldInstallation();
    PutUpgradeKit({"EXE", "OUTPOST", "DBDAT", "DBNEW", "PAYROLL"});
    TUpgCopy page(nullptr);

    EXPECT_EQ(PressNext(page), mrCancel);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_NE(dialogs[0].find("HELP.ZIP"), std::string::npos) << dialogs[0];
    EXPECT_NE(dialogs[0].find("lipseste"), std::string::npos) << dialogs[0];
    ExpectOldInstallationUntouched();
}

TEST_F(UpgradeCopyPageTest, AnArchiveWhoseDirectoryIsLostIsToldBeforeAnyFileIsReplaced) {
    PrepareOldInstallation();
    PutUpgradeKit({"EXE", "OUTPOST", "DBDAT", "DBNEW", "PAYROLL"});
    const std::vector<std::string> pieces = CutIntoPieces(UpgradeKitArchive("HELP"), kit, "HELP", 2000);
    ASSERT_GT(pieces.size(), 1u);
    DeleteFileA((kit + "\\" + pieces.back()).c_str());  // the piece with the directory
    TUpgCopy page(nullptr);

    EXPECT_EQ(PressNext(page), mrCancel);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_NE(dialogs[0].find("HELP.ZIP"), std::string::npos) << dialogs[0];
    EXPECT_NE(dialogs[0].find("nu poate fi citita"), std::string::npos) << dialogs[0];
    ExpectOldInstallationUntouched();
}

// Another program (KORVEN on this computer or on a client) holds a file the
// upgrade must replace.
TEST_F(UpgradeCopyPageTest, AFileInUseIsToldAndRetryAfterItsReleaseCompletesTheUpgrade) {
    PrepareOldInstallation();
    PutUpgradeKit();
    const std::string held = program + "\\KORVEN.EXE";
    HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    respond = [&] {
        CloseHandle(holder);
        holder = INVALID_HANDLE_VALUE;
        return mrRetry;
    };
    TUpgCopy page(nullptr);

    EXPECT_EQ(PressNext(page), mrOk);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_NE(dialogs[0].find(held), std::string::npos) << dialogs[0];
    EXPECT_EQ(dialogs[0].find("README.TXT"), std::string::npos) << "only the files in use are listed";
    EXPECT_TRUE(FromKit(program, "EXE", "KORVEN.EXE"));
    EXPECT_TRUE(FromKit(data, "DBNEW", "NEW\\DATA\\CLIENTI.DB"));
    if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
}

TEST_F(UpgradeCopyPageTest, AbandonWhileAFileIsInUseLeavesEveryFileAsItWas) {
    PrepareOldInstallation();
    PutUpgradeKit();
    // The sample database, the last of the files to be replaced.
    const std::string held = data + "\\NEW\\DATA\\CLIENTI.DB";
    HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    int asked = 0;
    respond = [&] { return ++asked == 1 ? mrRetry : mrAbort; };
    TUpgCopy page(nullptr);

    EXPECT_EQ(PressNext(page), mrCancel);
    CloseHandle(holder);
    EXPECT_EQ(dialogs.size(), 2u) << "Retry checks again";
    ExpectOldInstallationUntouched();
}

TEST_F(UpgradeCopyPageTest, AReadOnlyProgramIsReplacedAndKeepsItsMark) {
    PrepareOldInstallation();
    PutUpgradeKit();
    const std::string program1 = program + "\\KORVEN.EXE";
    ASSERT_TRUE(SetFileAttributesA(program1.c_str(), FILE_ATTRIBUTE_READONLY));
    TUpgCopy page(nullptr);

    EXPECT_EQ(PressNext(page), mrOk);
    EXPECT_TRUE(dialogs.empty()) << dialogs.front();
    EXPECT_TRUE(FromKit(program, "EXE", "KORVEN.EXE"));
    EXPECT_TRUE(GetFileAttributesA(program1.c_str()) & FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(program1.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The files the upgrade wrote, as they are on the disk, beside what the
// installation had: a file it kept (the engine's library, the customer's
// database) is not the upgrade's.
std::set<std::string> WrittenByTheUpgrade(const std::string& program, const std::string& data) {
    std::set<std::string> files = FilesBelow({program, data});
    std::erase_if(files, [&](const std::string& path) {
        return path.starts_with(UpperAscii(program + "\\BACKUP\\")) || path == UpperAscii(program + "\\IDAPI32.DLL") ||
               path == UpperAscii(program + "\\INSTALAT.TXT") || path == UpperAscii(program + "\\DEZINST.EXE") ||
               path == UpperAscii(data + "\\DATA\\CLIENTI.DB");
    });
    return files;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

// The installation's record gains the upgrade's files (a replaced file's
// line is replaced) and its folders, keeps what it knew, and takes the
// kit's version; the backup holds the old record and notes the uninstaller
// as added, so that a restore leaves the installation as it was.
TEST_F(UpgradeCopyPageTest, TheRecordGainsTheUpgradesFilesAndTheBackupHoldsTheOldOne) {
    PrepareOldInstallation();
    InstallationRecord earlier;
    earlier.kitVersion = "3100000.01";
    earlier.type = itLocal;
    earlier.programDir = program;
    earlier.dataDir = data;
    earlier.engine = EngineUse::Registered;
    earlier.aliases.push_back({"KORVEN", data + "\\DATA"});
    for (const char* file : {"KORVEN.EXE", "README.TXT", "KORVEN.HLP"})
        earlier.files.push_back({std::string(file).ends_with("HLP") ? "HELP" : "EXE", file, 5, WindowsCrc32("vechi")});
    ASSERT_TRUE(WriteInstallationRecord(earlier));
    const std::string earlierText = ReadBytes(program + "\\INSTALAT.TXT");
    PutUpgradeKit();
    TUpgCopy page(nullptr);

    EXPECT_EQ(PressNext(page), mrOk);
    EXPECT_TRUE(dialogs.empty()) << dialogs.front();
    std::string problem;
    const std::optional<InstallationRecord> record = ReadInstallationRecord(program, &problem);
    ASSERT_TRUE(record) << problem;
    EXPECT_EQ(record->kitVersion, KORVEN_VERSION_TEXT);
    EXPECT_EQ(record->engine, EngineUse::Registered);
    ASSERT_EQ(record->aliases.size(), 1u);
    EXPECT_EQ(Joined(RecordProblems(*record, WrittenByTheUpgrade(program, data))), "");
    EXPECT_EQ(record->files.size(), 9u) << FormatInstallationRecord(*record);
    EXPECT_EQ(record->folders, std::vector<std::string>{program + "\\NOU"});
    EXPECT_EQ(ReadBytes(program + "\\DEZINST.EXE"), ReadBytes(ProgramPath()));

    ASSERT_FALSE(InstallSettings.BackupFolder.empty());
    const std::string contents = ReadBytes(InstallSettings.BackupFolder + "\\CUPRINS.TXT");
    EXPECT_NE(contents.find("INLOCUIT " + program + "\\INSTALAT.TXT\r\n"), std::string::npos) << contents;
    EXPECT_NE(contents.find("ADAUGAT " + program + "\\DEZINST.EXE\r\n"), std::string::npos) << contents;
    EXPECT_EQ(ReadBytes(InstallSettings.BackupFolder + "\\FISIERE\\" + program.substr(0, 1) + program.substr(2) +
                        "\\INSTALAT.TXT"),
              earlierText);
}

// An installation made before records existed: one is begun from what the
// installation search found, said in the log, and holds the upgrade's files.
TEST_F(UpgradeCopyPageTest, AnInstallationWithoutARecordGetsOneBegunFromItsFolders) {
    PrepareOldInstallation();
    PutUpgradeKit();
    TUpgCopy page(nullptr);

    EXPECT_EQ(PressNext(page), mrOk);
    EXPECT_TRUE(dialogs.empty()) << dialogs.front();
    std::string problem;
    const std::optional<InstallationRecord> record = ReadInstallationRecord(program, &problem);
    ASSERT_TRUE(record) << problem;
    EXPECT_EQ(record->programDir, program) << "without the final backslash";
    EXPECT_EQ(record->dataDir, data);
    EXPECT_EQ(record->type, itLocal);
    EXPECT_EQ(record->engine, EngineUse::Raised) << "the engine may be another's: it is never removed";
    EXPECT_EQ(record->aliases.size(), 4u);
    EXPECT_EQ(Joined(RecordProblems(*record, WrittenByTheUpgrade(program, data))), "");
    EXPECT_NE(ReadBytes(log).find("incep una noua"), std::string::npos);
    const std::string contents = ReadBytes(InstallSettings.BackupFolder + "\\CUPRINS.TXT");
    EXPECT_NE(contents.find("ADAUGAT " + program + "\\INSTALAT.TXT\r\n"), std::string::npos) << contents;
}

}  // namespace
