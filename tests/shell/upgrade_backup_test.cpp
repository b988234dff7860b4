// The upgrade's backup on a real folder tree: what it saves, what it puts
// back, how a run cut off is found again, and which backups stay.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/files.h"
#include "core/upgrade_backup.h"
#include "tests/support/files.h"
#include "tests/support/scratch_folder.h"

namespace {

class UpgradeBackupTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteBytes(program + "\\KORVEN.EXE", "programul vechi");
        SetFileAttributesA((program + "\\KORVEN.EXE").c_str(), FILE_ATTRIBUTE_READONLY);
        temp.Make("Date\\DATA");
        WriteBytes(data + "\\DATA\\CLIENTI.DB", "datele clientului");
        WriteBytes(data + "\\DATA\\FIRME.DB", "firmele");
    }
    void TearDown() override {
        SetFileAttributesA((program + "\\KORVEN.EXE").c_str(), FILE_ATTRIBUTE_NORMAL);
        WriteProfileStringA("KORVEN Instalare", nullptr, nullptr);
    }

    // What an upgrade does once the backup holds what it needs.
    void Upgrade() {
        SetFileAttributesA((program + "\\KORVEN.EXE").c_str(), FILE_ATTRIBUTE_NORMAL);
        WriteBytes(program + "\\KORVEN.EXE", "programul nou, mai lung");
        CreateDirectoryA((program + "\\NOU").c_str(), nullptr);
        WriteBytes(program + "\\NOU\\NOUTATI.TXT", "noutati");
    }
    void ChangeTheDatabase() {
        WriteBytes(data + "\\DATA\\CLIENTI.DB", "structuri noi");
        WriteBytes(data + "\\DATA\\STRUCT.VER", "VERSIUNE=2");
        DeleteFileA((data + "\\DATA\\FIRME.DB").c_str());
    }

    UpgradeBackup BackUpTheUpgrade() {
        UpgradeBackup backup = UpgradeBackup::Begin(program);
        backup.NoteAddedFolder(program + "\\NOU");
        backup.NoteAdded(program + "\\NOU\\NOUTATI.TXT");
        backup.SaveReplaced(program + "\\KORVEN.EXE");
        return backup;
    }

    void ExpectAsBefore() {
        EXPECT_EQ(ReadBytes(program + "\\KORVEN.EXE"), "programul vechi");
        EXPECT_TRUE(GetFileAttributesA((program + "\\KORVEN.EXE").c_str()) & FILE_ATTRIBUTE_READONLY)
            << "the read-only mark is not back";
        EXPECT_FALSE(FileExists(program + "\\NOU\\NOUTATI.TXT"));
        EXPECT_EQ(GetFileAttributesA((program + "\\NOU").c_str()), INVALID_FILE_ATTRIBUTES)
            << "the added folder stayed";
        EXPECT_EQ(ReadBytes(data + "\\DATA\\CLIENTI.DB"), "datele clientului");
        EXPECT_EQ(ReadBytes(data + "\\DATA\\FIRME.DB"), "firmele");
        EXPECT_FALSE(FileExists(data + "\\DATA\\STRUCT.VER"));
    }

    ScratchFolder temp{"korven_backup"};
    std::string program = temp.Make("WinKorv");
    std::string data = temp.Make("Date");
};

TEST_F(UpgradeBackupTest, RestorePutsBackProgramsAndDataAndTakesAwayWhatTheUpgradeAdded) {
    UpgradeBackup backup = BackUpTheUpgrade();
    EXPECT_EQ(backup.Folder().rfind(program + "\\BACKUP\\", 0), 0u) << backup.Folder();
    EXPECT_EQ(UpgradeBackup::Unfinished(), backup.Folder()) << "a backup under way is marked";
    Upgrade();
    backup.SaveDataFolder(data);
    ChangeTheDatabase();

    EXPECT_TRUE(backup.Restore([](const std::string&) { return false; }));
    ExpectAsBefore();
    EXPECT_EQ(UpgradeBackup::Unfinished(), std::nullopt);
    EXPECT_EQ(ReadBytes(backup.Folder() + "\\DATE\\DATA\\CLIENTI.DB"), "datele clientului") << "the backup is kept";
}

// The process that made the backup is gone: the list in the backup folder
// is all that is left, and it is enough.
TEST_F(UpgradeBackupTest, ABackupReadFromItsFolderRestoresTheSame) {
    std::string folder;
    {
        UpgradeBackup backup = BackUpTheUpgrade();
        Upgrade();
        backup.SaveDataFolder(data);
        ChangeTheDatabase();
        folder = backup.Folder();
    }
    ASSERT_EQ(UpgradeBackup::Unfinished(), folder);
    EXPECT_TRUE(UpgradeBackup(*UpgradeBackup::Unfinished()).Restore([](const std::string&) { return false; }));
    ExpectAsBefore();

    WriteBytes(folder + "\\CUPRINS.TXT", "altceva");
    EXPECT_THROW(UpgradeBackup{folder}, BackupFailure) << "a list that is not a backup's is not used";
}

// The data folder holds the program folder (a LOCAL installation): the
// backups are never saved into themselves.
TEST_F(UpgradeBackupTest, TheDataCopyLeavesOutTheBackups) {
    temp.Make("WinKorv\\DATA");
    WriteBytes(program + "\\DATA\\CLIENTI.DB", "datele clientului");
    UpgradeBackup backup = UpgradeBackup::Begin(program);
    backup.SaveDataFolder(program);
    EXPECT_EQ(ReadBytes(backup.Folder() + "\\DATE\\DATA\\CLIENTI.DB"), "datele clientului");
    EXPECT_EQ(GetFileAttributesA((backup.Folder() + "\\DATE\\BACKUP").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(UpgradeBackup::SizeOf(program, program + "\\BACKUP"),
              std::string("datele clientului").size() + std::string("programul vechi").size());
}

TEST_F(UpgradeBackupTest, AFileSavedOrAddedBeforeKeepsWhatTheBackupFirstHad) {
    UpgradeBackup backup = BackUpTheUpgrade();
    Upgrade();
    // The copy page runs again (Back from the database page).
    backup.SaveReplaced(program + "\\KORVEN.EXE");
    backup.SaveReplaced(program + "\\NOU\\NOUTATI.TXT");
    EXPECT_TRUE(backup.Restore([](const std::string&) { return false; }));
    EXPECT_EQ(ReadBytes(program + "\\KORVEN.EXE"), "programul vechi");
    EXPECT_FALSE(FileExists(program + "\\NOU\\NOUTATI.TXT"));
}

TEST_F(UpgradeBackupTest, AHeldFileStopsTheRestoreWhichStaysMarkedUntilItIsDone) {
    UpgradeBackup backup = BackUpTheUpgrade();
    Upgrade();
    std::vector<std::string> asked;
    {
        const HANDLE held = CreateFileA((program + "\\KORVEN.EXE").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        EXPECT_FALSE(backup.Restore([&](const std::string& file) {
            asked.push_back(file);
            return asked.size() < 2;  // Retry once, then stop
        }));
        CloseHandle(held);
    }
    EXPECT_EQ(asked, (std::vector<std::string>{program + "\\KORVEN.EXE", program + "\\KORVEN.EXE"}));
    EXPECT_EQ(UpgradeBackup::Unfinished(), backup.Folder());
    EXPECT_TRUE(FileExists(program + "\\NOU\\NOUTATI.TXT")) << "the restore went on past the file it stopped at";

    EXPECT_TRUE(UpgradeBackup(backup.Folder()).Restore([](const std::string&) { return false; }));
    ExpectAsBefore();
}

// Backups are named by the second they begin in: one upgrade a second.
TEST_F(UpgradeBackupTest, UpgradesThatEndedWellKeepTheNewestThreeBackups) {
    std::vector<std::string> folders;
    for (int upgrade = 0; upgrade < 4; ++upgrade) {
        if (upgrade > 0) Sleep(1100);
        UpgradeBackup backup = UpgradeBackup::Begin(program);
        folders.push_back(backup.Folder());
        backup.Finish();
        EXPECT_EQ(UpgradeBackup::Unfinished(), std::nullopt);
    }
    for (std::size_t i = 0; i < folders.size(); ++i) EXPECT_EQ(IsExistingFolder(folders[i]), i >= 1) << folders[i];
    // A backup still marked is never one to clear away.
    Sleep(1100);
    const std::string unfinished = UpgradeBackup::Begin(program).Folder();
    Sleep(1100);
    UpgradeBackup::Begin(program).Finish();
    EXPECT_TRUE(IsExistingFolder(unfinished));
    EXPECT_FALSE(IsExistingFolder(folders[1]));
    EXPECT_TRUE(IsExistingFolder(folders[2]));
}

}  // namespace
