// The copy page driven in-process: a kit made in the test, Next pressed as
// a real click, the folders, the settings and the dialogs show what it did.
#include "copy/copy_page.h"
#include "copy/disk_space.h"
#include "copy/engine_folder.h"
#include "copy/kit_assembly.h"
#include "copy_test_support.h"
#include "core/unique_handle.h"
#include "tests/support/captured_log.h"
#include "tests/support/environment_switch.h"
#include "tests/support/record_check.h"

#include "framework/application.h"
#include "framework/extctrls.h"
#include "core/settings.h"
#include "core/text.h"
#include "core/version.h"
#include "toolkit/active_label.h"
#include "toolkit/mbutton.h"
#include "toolkit/message_dialog.h"
#include "toolkit/nice_button.h"
#include "toolkit/title_bar.h"
#include "toolkit/toolkit_start.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Everything below a folder: each file with its bytes, each folder (a final
// "\\") with nothing.
std::map<std::string, std::string> TreeBelow(const std::string& folder) {
    std::map<std::string, std::string> tree;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
        const std::string relative = fs::relative(entry.path(), folder).string();
        if (entry.is_directory()) {
            tree[relative + "\\"] = "";
        } else {
            tree[relative] = ReadBytes(entry.path().string());
        }
    }
    return tree;
}

// The folders the copy keeps overwritten files in, left in the temporary folder.
std::vector<std::string> KeepFoldersLeft() {
    std::vector<std::string> left;
    for (const fs::directory_entry& entry : fs::directory_iterator(fs::temp_directory_path()))
        if (entry.path().filename().string().starts_with("KORVKEEP")) left.push_back(entry.path().string());
    return left;
}

constexpr const char* kEngineSettingsKey = "Software\\Borland\\Database Engine\\Settings\\SYSTEM\\INIT";
constexpr const char* kEngineInstalledKey = "Software\\Borland\\BLW32";
constexpr const char* kEngineKey = "Software\\Borland\\Database Engine";
constexpr const char* kWindowsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

class CopyPageTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { StartToolkit(); }

    void SetUp() override {
        // The prefix as Wine makes it: the engine's settings key may be
        // there (Wine's set-up writes it), an installed engine is not.
        ASSERT_FALSE(MachineKeyExists(kEngineInstalledKey)) << "a test before this one left an engine registered";
        InstallSettings = TInstallSettings{};
        InstallSettings.InstallType = itServer;
        InstallSettings.DiskCount = 6;  // as a settings file without "NrDiscuri" gives
        InstallSettings.SourceDir = kit + "\\";
        InstallSettings.DefaultProgramDir = InstallSettings.ProgramDir = program;
        InstallSettings.DefaultDataDir = InstallSettings.DataDir = data;
        MessagePrefix.clear();
        WriteBytes(kit + "\\DISK1", "");
        SetMessageDialogWatcher([this](TMessageDialogForm& dialog) {
            dialogs.push_back(dialog.Message());
            dialog.SetModalResult(answer(dialog));
        });
    }

    void TearDown() override {
        SetFreeSpaceQuery(nullptr);
        SetMessageDialogWatcher(nullptr);
        MessagePrefix.clear();
    }

    // Every component the kit brings, each archive cut into pieces.
    void PutWholeKit(size_t pieceSize = 30000) {
        for (const char* component : {"EXE", "DBDAT", "DBNEW", "BDE32", "HELP"})
            CutIntoPieces(KitArchive(component), kit, component, pieceSize);
    }

    int PressNext(TCopy& page) {
        page.HandleNeeded();
        PostMessageA(page.BNext->Handle(), BM_CLICK, 0, 0);
        return page.ShowModal();
    }

    bool Extracted(const std::string& folder, const std::string& component, const std::string& relative) {
        return FileExists(folder + "\\" + relative) &&
               ReadBytes(folder + "\\" + relative) == ReadBytes(KitSourceFile(component, relative));
    }

    void ExpectNoAssembledArchives() {
        for (const char* archive : {"EXE.ZIP", "DBDAT.ZIP", "DBNEW.ZIP", "BDE32.ZIP", "HELP.ZIP"})
            EXPECT_FALSE(FileExists(program + "\\" + archive)) << archive;
    }

    ScratchFolder temp{"korven_copy"};
    std::string kit = temp.Make("kit");
    std::string program = temp.Make("Program");
    std::string data = temp.Make("Date");
    std::string programFiles = temp.Make("Program Files");
    ScopedMachineValue programFilesDir{kWindowsKey, "ProgramFilesDir", programFiles};
    std::string engineFolder = programFiles + "\\Borland\\Common Files\\BDE";

    std::vector<std::string> dialogs;
    std::function<int(TMessageDialogForm&)> answer = [](TMessageDialogForm&) { return mrCancel; };
};

TEST_F(CopyPageTest, WaitsForNextWithItsControlsInPlace) {
    TCopy page(nullptr);
    EXPECT_EQ(page.ClientWidth(), 637);
    EXPECT_EQ(page.ClientHeight(), 114);
    EXPECT_EQ(page.TitleBar()->Caption(), "Copiere fisiere Korven");
    EXPECT_EQ(page.LGroupName->Caption(), "Apasa 'Continua' pentru a incepe instalarea.....");
    EXPECT_EQ(page.LCopyProgress->Caption(), "Copiere:");
    EXPECT_EQ(page.LUnzipProgress->Caption(), "Decompresie:");
    EXPECT_EQ(page.UnzipProgress->MaxValue(), 100);
    EXPECT_EQ(page.BNext->Caption(), "&Continua");
    EXPECT_EQ(page.BBack->Caption(), "&Inapoi");
    EXPECT_EQ(page.BCancel->Caption(), "&Abandon");
    EXPECT_TRUE(TCopy::IsOptionalModule("OUTPOST.ZIP"));
    EXPECT_TRUE(TCopy::IsOptionalModule("PAYROLL.ZIP"));
    EXPECT_FALSE(TCopy::IsOptionalModule("HELP.ZIP"));
}

TEST_F(CopyPageTest, PutsEveryComponentInItsFolderAndRemovesOnlyItsArchives) {
    PutWholeKit();
    WriteBytes(kit + "\\EXE.ZIP", "never copied: not a piece");
    WriteBytes(program + "\\KEEP.ZIP", "the user's own archive");
    WriteBytes(program + "\\README.TXT", "an earlier text, overwritten");
    TCopy page(nullptr);

    EXPECT_EQ(PressNext(page), mrOk);
    EXPECT_TRUE(dialogs.empty()) << dialogs.front();
    EXPECT_TRUE(Extracted(program, "EXE", "KORVEN.EXE")) << "three pieces joined in order";
    EXPECT_TRUE(Extracted(program, "EXE", "README.TXT"));
    EXPECT_TRUE(Extracted(program, "EXE", "SUB\\NOTE.TXT"));
    EXPECT_TRUE(Extracted(program, "HELP", "KORVEN.HLP"));
    EXPECT_TRUE(Extracted(data, "DBDAT", "DATA\\CLIENTI.DB"));
    EXPECT_TRUE(Extracted(data, "DBNEW", "NEW\\DATA\\GOL.DB"));
    EXPECT_TRUE(Extracted(engineFolder, "BDE32", "IDAPI32.DLL")) << "the engine's folders are made";
    EXPECT_EQ(ReadBytes(program + "\\KEEP.ZIP"), "the user's own archive");
    ExpectNoAssembledArchives();
    EXPECT_TRUE(KeepFoldersLeft().empty()) << "the copy of an overwritten file outlived the copy";

    EXPECT_EQ(page.UnzipProgress->Progress(), 100);
    EXPECT_EQ(InstallSettings.DiskCount, 1u) << "a kit in one folder is one disk";
    EXPECT_EQ(InstallSettings.SourceDir, kit);
    EXPECT_FALSE(InstallSettings.OldEngineFound);
    EXPECT_EQ(MessagePrefix, "") << "the disk prompts' prefix is not left for later dialogs";
    char current[MAX_PATH];
    GetCurrentDirectoryA(sizeof current, current);
    EXPECT_STRCASEEQ(current, program.c_str());
}

// A database already in the data folder is the customer's, left by an
// installation that was removed: it is kept. The programs and the blank
// database under NEW are written as always.
TEST_F(CopyPageTest, ADatabaseAlreadyThereIsKeptWhileProgramsAndTheBlankDatabaseAreWritten) {
    PutWholeKit();
    temp.Make("Date\\DATA");
    temp.Make("Date\\NEW\\DATA");
    WriteBytes(data + "\\DATA\\CLIENTI.DB", "datele clientului");
    WriteBytes(data + "\\NEW\\DATA\\GOL.DB", "baza martor veche");
    WriteBytes(program + "\\KORVEN.EXE", "programul vechi");
    TCopy page(nullptr);

    EXPECT_EQ(PressNext(page), mrOk);
    EXPECT_TRUE(dialogs.empty()) << dialogs.front();
    EXPECT_EQ(ReadBytes(data + "\\DATA\\CLIENTI.DB"), "datele clientului");
    EXPECT_TRUE(Extracted(data, "DBNEW", "NEW\\DATA\\GOL.DB"));
    EXPECT_TRUE(Extracted(program, "EXE", "KORVEN.EXE"));
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

// What the copy wrote, for the uninstaller: every file with the size and
// CRC it has on the disk (HELP's archive states its CRC only behind the
// data), under its component; the customer's database, the user's own
// files and the folders that were there before are not the installation's.
TEST_F(CopyPageTest, TheRecordHoldsEveryFileTheCopyWroteAndNothingOfTheCustomers) {
    PutWholeKit();
    temp.Make("Date\\DATA");
    WriteBytes(data + "\\DATA\\CLIENTI.DB", "datele clientului");
    WriteBytes(program + "\\KEEP.ZIP", "the user's own archive");
    WriteBytes(program + "\\README.TXT", "an earlier text, overwritten");
    TCopy page(nullptr);

    EXPECT_EQ(PressNext(page), mrOk);
    ASSERT_TRUE(dialogs.empty()) << dialogs.front();
    const InstallationRecord& record = InstallSettings.Installed;
    EXPECT_EQ(record.kitVersion, KORVEN_VERSION_TEXT);
    EXPECT_EQ(record.type, itServer);
    EXPECT_EQ(record.programDir, program);
    EXPECT_EQ(record.dataDir, data);
    EXPECT_STRCASEEQ(record.engineDir.c_str(), engineFolder.c_str());

    std::set<std::string> expected = FilesBelow({program, data, programFiles});
    expected.erase(UpperAscii(program + "\\KEEP.ZIP"));
    expected.erase(UpperAscii(data + "\\DATA\\CLIENTI.DB"));
    EXPECT_EQ(expected.size(), 6u) << "KORVEN.EXE, README.TXT, SUB\\NOTE.TXT, GOL.DB, IDAPI32.DLL, KORVEN.HLP";
    EXPECT_EQ(Joined(RecordProblems(record, expected)), "");
    std::set<std::string> lines;
    for (const RecordedFile& file : record.files) lines.insert(file.component + " " + file.path);
    EXPECT_EQ(lines, (std::set<std::string>{"EXE KORVEN.EXE", "EXE README.TXT", "EXE SUB\\NOTE.TXT",
                                            "DBNEW NEW\\DATA\\GOL.DB", "BDE32 IDAPI32.DLL", "HELP KORVEN.HLP"}));

    std::set<std::string> folders;
    for (const std::string& folder : record.folders) folders.insert(UpperAscii(folder));
    EXPECT_EQ(folders,
              (std::set<std::string>{UpperAscii(program + "\\SUB"), UpperAscii(data + "\\NEW"),
                                     UpperAscii(data + "\\NEW\\DATA"), UpperAscii(programFiles + "\\Borland"),
                                     UpperAscii(programFiles + "\\Borland\\Common Files"), UpperAscii(engineFolder)}));
}

// An abandoned copy took its files back: it leaves nothing to record.
TEST_F(CopyPageTest, AnAbandonedCopyRecordsNothing) {
    CopyFileA(HostileArchive("overrun_stored.zip").c_str(), (kit + "\\EXE.1").c_str(), FALSE);
    CutIntoPieces(KitArchive("HELP"), kit, "HELP", 100000);
    answer = [](TMessageDialogForm&) { return mrNo; };
    TCopy page(nullptr);

    EXPECT_EQ(PressNext(page), mrCancel);
    EXPECT_TRUE(InstallSettings.Installed.files.empty());
    EXPECT_TRUE(InstallSettings.Installed.folders.empty());
}

TEST_F(CopyPageTest, AClientCopiesNoDatabasePieces) {
    InstallSettings.InstallType = itClient;
    // An engine installed or not: the client's test is about the database.
    ScopedMachineValue registered{kEngineInstalledKey, "", std::string()};
    ScopedMachineValue version{kEngineSettingsKey, "VERSION", std::string("4.0")};
    PutWholeKit();
    TCopy page(nullptr);

    EXPECT_EQ(PressNext(page), mrOk);
    EXPECT_TRUE(dialogs.empty()) << dialogs.front();
    EXPECT_TRUE(Extracted(program, "EXE", "KORVEN.EXE"));
    EXPECT_FALSE(FileExists(data + "\\DATA\\CLIENTI.DB"));
    EXPECT_FALSE(FileExists(data + "\\NEW\\DATA\\GOL.DB"));
    EXPECT_FALSE(IsExistingFolder(engineFolder)) << "an installed engine is kept";
    ExpectNoAssembledArchives();
}

TEST_F(CopyPageTest, APieceWithoutItsFirstEndsTheCopyNamingIt) {
    CutIntoPieces(KitArchive("DBDAT"), kit, "DBDAT", 100000);
    WriteBytes(kit + "\\EXE.2", ReadBytes(KitArchive("EXE")));
    TCopy page(nullptr);

    EXPECT_EQ(PressNext(page), mrCancel);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_NE(dialogs[0].find("EXE.2"), std::string::npos) << dialogs[0];
    EXPECT_EQ(dialogs[0].find("PENTRU CONTINUARE"), std::string::npos) << "an error, not a prompt";
    ExpectNoAssembledArchives();
    EXPECT_FALSE(FileExists(data + "\\DATA\\CLIENTI.DB")) << "nothing is extracted";
}

TEST_F(CopyPageTest, AFirstPieceNamedWithALeadingZeroBeginsNothing) {
    WriteBytes(kit + "\\EXE.01", ReadBytes(KitArchive("EXE")));
    TCopy page(nullptr);
    EXPECT_EQ(PressNext(page), mrCancel);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_NE(dialogs[0].find("EXE.01"), std::string::npos) << dialogs[0];
    ExpectNoAssembledArchives();
}

TEST_F(CopyPageTest, ADamagedArchiveIsToldAndAbandoningEndsTheCopy) {
    CopyFileA(HostileArchive("overrun_stored.zip").c_str(), (kit + "\\EXE.1").c_str(), FALSE);
    CutIntoPieces(KitArchive("HELP"), kit, "HELP", 100000);
    answer = [](TMessageDialogForm&) { return mrNo; };
    TCopy page(nullptr);

    EXPECT_EQ(PressNext(page), mrCancel);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_NE(dialogs[0].find("Fisiere executabile"), std::string::npos) << dialogs[0];
    EXPECT_NE(dialogs[0].find("EXE.ZIP"), std::string::npos) << dialogs[0];
    EXPECT_FALSE(FileExists(program + "\\KORVEN.HLP")) << "the components after it are not extracted";
    ExpectNoAssembledArchives();
}

TEST_F(CopyPageTest, GoingOnAfterADamagedArchiveExtractsTheRest) {
    CopyFileA(HostileArchive("cut_directory.zip").c_str(), (kit + "\\EXE.1").c_str(), FALSE);
    CutIntoPieces(KitArchive("HELP"), kit, "HELP", 100000);
    InstallSettings.InstallType = itClient;
    ScopedMachineValue registered{kEngineInstalledKey, "", std::string()};
    ScopedMachineValue version{kEngineSettingsKey, "VERSION", std::string("5.01")};
    answer = [](TMessageDialogForm&) { return mrYes; };
    TCopy page(nullptr);

    EXPECT_EQ(PressNext(page), mrOk);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_NE(dialogs[0].find("deteriorat"), std::string::npos) << dialogs[0];
    EXPECT_TRUE(Extracted(program, "HELP", "KORVEN.HLP"));
    ExpectNoAssembledArchives();
}

TEST_F(CopyPageTest, AFailureInsideNextIsToldAndClosesThePage) {
    PutWholeKit(100000);
    // Program Files is a file: the engine's folders cannot be made in it.
    WriteBytes(temp.Path() + "\\NotAFolder", "");
    ScopedMachineValue blocked{kWindowsKey, "ProgramFilesDir", temp.Path() + "\\NotAFolder"};
    TCopy page(nullptr);

    EXPECT_EQ(PressNext(page), mrCancel);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_NE(dialogs[0].find(temp.Path() + "\\NotAFolder\\Borland"), std::string::npos) << dialogs[0];
    ExpectNoAssembledArchives();
}

TEST_F(CopyPageTest, ADiskPromptAnsweredCancelEndsTheCopy) {
    DeleteFileA((kit + "\\DISK1").c_str());
    PutWholeKit(100000);
    TCopy page(nullptr);

    EXPECT_EQ(PressNext(page), mrCancel);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0], "PENTRU CONTINUARE,\r\rintrodu discul de instalare cu numarul \r1");
    ExpectNoAssembledArchives();
    EXPECT_FALSE(FileExists(program + "\\KORVEN.EXE"));
}

TEST_F(CopyPageTest, TheDiskPromptRepeatsUntilTheDiskIsThere) {
    InstallSettings.SourceDir = kit;
    answer = [this](TMessageDialogForm&) {
        if (dialogs.size() == 2) WriteBytes(kit + "\\DISK2", "");
        return mrOk;
    };
    TCopy page(nullptr);
    EXPECT_TRUE(page.WaitForDisk(2));
    EXPECT_EQ(dialogs.size(), 2u);

    answer = [](TMessageDialogForm&) { return mrCancel; };
    EXPECT_FALSE(page.WaitForDisk(3));
    EXPECT_EQ(dialogs.size(), 3u);
}

// The kit lists its pieces, with CRCs from Windows' own CRC-32; EXE.2 is
// damaged in the folder, its good bytes kept aside for the second try.
class CheckedCopyPageTest : public CopyPageTest {
protected:
    void SetUp() override {
        CopyPageTest::SetUp();
        PutWholeKit();
        using Crc32 = DWORD(WINAPI*)(DWORD, const BYTE*, ULONG);
        const auto crc32 = reinterpret_cast<Crc32>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlComputeCrc32")));
        ASSERT_NE(crc32, nullptr);
        for (const std::string& file : FilesIn(kit)) {
            if (file == "DISK1") continue;
            const std::string bytes = ReadBytes(kit + "\\" + file);
            char line[128];
            std::snprintf(line, sizeof line, "%s=%zu,%08lX,1", file.c_str(), bytes.size(),
                          static_cast<unsigned long>(
                              crc32(0, reinterpret_cast<const BYTE*>(bytes.data()), static_cast<ULONG>(bytes.size()))));
            ASSERT_TRUE(InstallSettings.Pieces.Add(line)) << line;
        }
        goodPiece = ReadBytes(kit + "\\EXE.2");
        std::string damaged = goodPiece;
        damaged[1000] ^= 0x10;
        WriteBytes(kit + "\\EXE.2", damaged);
    }

    std::string goodPiece;
};

TEST_F(CheckedCopyPageTest, ADamagedPieceIsAskedForAgainAndRetryCompletesTheCopy) {
    answer = [this](TMessageDialogForm& dialog) {
        if (dialog.Caption() != "Disc deteriorat") return mrOk;  // the disk prompt
        WriteBytes(kit + "\\EXE.2", goodPiece);
        return mrRetry;
    };
    TCopy page(nullptr);

    EXPECT_EQ(PressNext(page), mrOk);
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_NE(dialogs[0].find("Fisierul EXE.2 de pe discul de instalare nr. 1 este deteriorat"), std::string::npos)
        << dialogs[0];
    EXPECT_NE(dialogs[0].find("Reincearca"), std::string::npos) << dialogs[0];
    EXPECT_EQ(dialogs[1], "PENTRU CONTINUARE,\r\rintrodu discul de instalare cu numarul \r1")
        << "Retry asks for the disk again";
    EXPECT_TRUE(Extracted(program, "EXE", "KORVEN.EXE"));
    EXPECT_TRUE(Extracted(engineFolder, "BDE32", "IDAPI32.DLL"));
    ExpectNoAssembledArchives();
}

TEST_F(CheckedCopyPageTest, AbandonAtADamagedPieceEndsTheCopyAsACancelledOne) {
    answer = [](TMessageDialogForm&) { return mrAbort; };
    TCopy page(nullptr);

    EXPECT_EQ(PressNext(page), mrCancel);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_NE(dialogs[0].find("EXE.2"), std::string::npos) << dialogs[0];
    ExpectNoAssembledArchives();
    EXPECT_FALSE(FileExists(program + "\\KORVEN.EXE"));
}

TEST_F(CopyPageTest, TooLittleRoomIsToldBeforeAnythingIsCopiedAndAbandonCopiesNothing) {
    PutWholeKit();
    std::vector<std::string> asked;
    SetFreeSpaceQuery([&](const std::string& root) -> std::optional<std::uint64_t> {
        asked.push_back(root);
        return 3 * 1024 * 1024 / 2;  // 1.5 MB
    });
    answer = [](TMessageDialogForm&) { return mrAbort; };
    // The kit's archives alone need more than that.
    for (const char* component : {"EXE", "DBDAT", "DBNEW", "BDE32", "HELP"})
        WriteBytes(kit + "\\" + component + ".9", std::string(400 * 1024, 'x'));
    TCopy page(nullptr);

    EXPECT_EQ(PressNext(page), mrCancel);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_NE(dialogs[0].find("C:\\"), std::string::npos) << dialogs[0];
    EXPECT_NE(dialogs[0].find("sunt necesari "), std::string::npos) << dialogs[0];
    EXPECT_NE(dialogs[0].find(" MB, sunt liberi 1 MB"), std::string::npos) << dialogs[0];
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.front(), program.substr(0, 3));
    ExpectNoAssembledArchives();
    EXPECT_FALSE(FileExists(program + "\\KORVEN.EXE"));
}

TEST_F(CopyPageTest, RetryAfterRoomWasMadeCompletesTheCopy) {
    PutWholeKit();
    bool roomMade = false;
    SetFreeSpaceQuery(
        [&](const std::string&) -> std::optional<std::uint64_t> { return roomMade ? std::uint64_t{1} << 40 : 0; });
    answer = [&](TMessageDialogForm&) {
        roomMade = true;
        return mrRetry;
    };
    TCopy page(nullptr);

    EXPECT_EQ(PressNext(page), mrOk);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_NE(dialogs[0].find("sunt liberi 0 MB"), std::string::npos) << dialogs[0];
    EXPECT_TRUE(Extracted(program, "EXE", "KORVEN.EXE"));
}

// The room the files take once extracted counts too, on the drive they go to.
TEST_F(CopyPageTest, TheExtractedFilesNeedRoomOnTheirOwnDrive) {
    PutWholeKit();
    int queries = 0;
    SetFreeSpaceQuery([&](const std::string&) -> std::optional<std::uint64_t> {
        // Room for the archives when the disk is read, none for their files.
        return ++queries == 1 ? std::uint64_t{1} << 40 : 1000;
    });
    answer = [](TMessageDialogForm&) { return mrAbort; };
    TCopy page(nullptr);

    EXPECT_EQ(PressNext(page), mrCancel);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_NE(dialogs[0].find("sunt liberi 0 MB"), std::string::npos) << dialogs[0];
    EXPECT_FALSE(FileExists(program + "\\KORVEN.EXE"));
    ExpectNoAssembledArchives();
}

// The user had files in the folders before; the help archive, the last one,
// is damaged and the user abandons after everything else was extracted.
class AbandonedCopyTest : public CopyPageTest {
protected:
    void SetUp() override {
        CopyPageTest::SetUp();
        for (const char* component : {"EXE", "DBDAT", "DBNEW", "BDE32"})
            CutIntoPieces(KitArchive(component), kit, component, 30000);
        CopyFileA(HostileArchive("overrun_stored.zip").c_str(), (kit + "\\HELP.1").c_str(), FALSE);
        WriteBytes(program + "\\MINE.TXT", "notele utilizatorului");
        WriteBytes(program + "\\README.TXT", "un README mai vechi");
        SetFileAttributesA((program + "\\README.TXT").c_str(), FILE_ATTRIBUTE_READONLY);
        CreateDirectoryA((data + "\\DATA").c_str(), nullptr);
        WriteBytes(data + "\\DATA\\PROPRIU.DB", "datele proprii");
        programBefore = TreeBelow(program);
        dataBefore = TreeBelow(data);
        answer = [](TMessageDialogForm&) { return mrNo; };
    }

    void TearDown() override {
        SetFileAttributesA((program + "\\README.TXT").c_str(), FILE_ATTRIBUTE_NORMAL);
        CopyPageTest::TearDown();
    }

    std::map<std::string, std::string> programBefore, dataBefore;
};

TEST_F(AbandonedCopyTest, EverythingExtractedGoesAndTheUsersFilesAreAsBefore) {
    CapturedLog log;
    TCopy page(nullptr);

    EXPECT_EQ(PressNext(page), mrCancel);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_NE(dialogs[0].find("HELP.ZIP"), std::string::npos) << dialogs[0];
    EXPECT_EQ(TreeBelow(program), programBefore) << "the overwritten README.TXT has its bytes back";
    EXPECT_EQ(GetFileAttributesA((program + "\\README.TXT").c_str()) & FILE_ATTRIBUTE_READONLY,
              static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(TreeBelow(data), dataBefore) << "DATA was there before and stays; NEW goes";
    EXPECT_TRUE(IsExistingFolder(programFiles));
    EXPECT_FALSE(IsExistingFolder(programFiles + "\\Borland")) << "the engine's folders were made by the copy";
    ExpectNoAssembledArchives();
    EXPECT_TRUE(KeepFoldersLeft().empty());

    EXPECT_TRUE(log.HasNote("Sters " + program + "\\KORVEN.EXE"));
    EXPECT_TRUE(log.HasNote("Sters " + data + "\\DATA\\CLIENTI.DB"));
    EXPECT_TRUE(log.HasNote("Sters " + engineFolder + "\\IDAPI32.DLL"));
    EXPECT_TRUE(log.HasNote("Sters " + program + "\\GOOD.TXT")) << "the damaged archive's good member too";
    EXPECT_TRUE(log.HasNote("Pus la loc " + program + "\\README.TXT"));
    EXPECT_TRUE(log.HasNote("Sters directorul " + data + "\\NEW\\DATA"));
    EXPECT_TRUE(log.HasNote("Sters directorul " + programFiles + "\\Borland"));
    EXPECT_FALSE(log.HasNote("Sters " + program + "\\MINE.TXT"));
}

TEST_F(AbandonedCopyTest, AFileThatCannotBeRemovedIsToldAndStays) {
    UniqueHandle held;
    answer = [&](TMessageDialogForm& dialog) {
        if (dialog.Message().find("HELP.ZIP") != std::string::npos) {
            // Another program opened the new KORVEN.EXE, sharing nothing.
            held = UniqueHandle(
                CreateFileA((program + "\\KORVEN.EXE").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
            return mrNo;
        }
        return mrOk;
    };
    TCopy page(nullptr);

    EXPECT_EQ(PressNext(page), mrCancel);
    ASSERT_TRUE(held.valid());
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[1], "Nu pot sterge " + program + "\\KORVEN.EXE");
    held.reset();
    std::map<std::string, std::string> left = TreeBelow(program);
    EXPECT_EQ(left.erase("KORVEN.EXE"), 1u);
    EXPECT_EQ(left, programBefore) << "everything else went";
    EXPECT_FALSE(IsExistingFolder(programFiles + "\\Borland"));
}

TEST_F(AbandonedCopyTest, AFileThatCannotBeKeptIsNotOverwrittenAndTheCopyStops) {
    // No folder for the copies can be made where the temporary folder should be.
    EnvironmentSwitch tmp("TMP", temp.Path() + "\\missing");
    EnvironmentSwitch tempVariable("TEMP", temp.Path() + "\\missing");
    TCopy page(nullptr);

    EXPECT_EQ(PressNext(page), mrCancel);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_NE(dialogs[0].find(program + "\\README.TXT"), std::string::npos) << dialogs[0];
    EXPECT_EQ(TreeBelow(program), programBefore);
    EXPECT_EQ(TreeBelow(data), dataBefore) << "nothing after the program archive was extracted";
    ExpectNoAssembledArchives();
}

// The engine's folder, by what the registry says of an installed engine.
class EngineFolderTest : public CopyPageTest {};

TEST_F(EngineFolderTest, WithoutAnEngineItIsMadeUnderProgramFiles) {
    EXPECT_EQ(EngineFolder(InstallSettings), engineFolder);
    EXPECT_TRUE(IsExistingFolder(engineFolder));
    EXPECT_TRUE(dialogs.empty());
}

TEST_F(EngineFolderTest, ASettingsKeyWithoutTheInstalledEngineIsALeftover) {
    for (const char* version : {"5.01", "3.5"}) {
        ScopedMachineValue left{kEngineSettingsKey, "VERSION", std::string(version)};
        EXPECT_EQ(EngineFolder(InstallSettings), engineFolder) << version;
    }
    EXPECT_FALSE(InstallSettings.OldEngineFound);
    EXPECT_TRUE(dialogs.empty());
}

TEST_F(EngineFolderTest, AnEngineOfVersionFourOrLaterIsKeptSilently) {
    ScopedMachineValue registered{kEngineInstalledKey, "", std::string()};
    for (const char* version : {"4.0", "5.01", "4.51"}) {
        ScopedMachineValue installed{kEngineSettingsKey, "VERSION", std::string(version)};
        EXPECT_EQ(EngineFolder(InstallSettings), std::nullopt) << version;
        EXPECT_FALSE(InstallSettings.OldEngineFound) << version;
    }
    EXPECT_TRUE(dialogs.empty());
    EXPECT_FALSE(IsExistingFolder(engineFolder));
}

TEST_F(EngineFolderTest, AnOlderEngineIsKeptWithAWarning) {
    ScopedMachineValue registered{kEngineInstalledKey, "", std::string()};
    for (const char* version : {"3.5", ""}) {
        InstallSettings.OldEngineFound = false;
        MessagePrefix = "Pentru continuare";
        ScopedMachineValue installed{kEngineSettingsKey, "VERSION", std::string(version)};
        EXPECT_EQ(EngineFolder(InstallSettings), std::nullopt) << version;
        EXPECT_TRUE(InstallSettings.OldEngineFound) << version;
        EXPECT_EQ(MessagePrefix, "Pentru continuare") << "the warning's prefix was its own";
    }
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[0],
              "PROTECTIA APLICATIILOR EXISTENTE,\r\rAm gasit o instalare mai veche de\rmotor baza de date (BDE)...\r"
              "Daca WinKORVEN nu functioneaza, contactati-ne.\r");
    EXPECT_FALSE(IsExistingFolder(engineFolder));
}

TEST_F(EngineFolderTest, AnOlderEngineFoundEarlierGivesItsOwnFolder) {
    InstallSettings.OldEngineFound = true;
    ScopedMachineValue dllPath{kEngineKey, "DLLPATH", std::string("C:\\IDAPI")};
    EXPECT_EQ(EngineFolder(InstallSettings), "C:\\IDAPI");
}

}  // namespace
