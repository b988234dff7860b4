// The sample library's three steps on a data folder, reached through the
// installer's binding: what they leave in the folder, what they report, and
// what GetSemaforOK answers after each.
#include <gtest/gtest.h>

#include <algorithm>

#include "upgrade/upgrade_library.h"
#include "upgrade_test_support.h"

namespace {

std::vector<std::string> reports;

void __stdcall CollectReport(HGLOBAL text) {
    if (auto copy = ReadReportText(text)) reports.push_back(*copy);
}

const std::string kVersionText = "VERSIUNE=" + std::to_string(UPGRADE_LIBRARY_VERSION) + "\r\n";

class LibrarySteps : public ::testing::Test {
protected:
    void SetUp() override {
        reports.clear();
        CreateDirectoryA(data_.c_str(), nullptr);
        store_.Define("KORVEN", data_);
        ASSERT_TRUE(LoadUpgradeLibraryFrom(UPGRADE_DLL_FOLDER));
        SetReportProc(CollectReport);
    }
    void TearDown() override { FreeUpgradeLibrary(); }

    std::string DataFile(const char* name) const { return data_ + "\\" + name; }
    // Files left in the data folder, temporary ones included.
    std::vector<std::string> FolderContents() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((data_ + "\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
        while (FindNextFileA(search, &found));
        FindClose(search);
        std::sort(names.begin(), names.end());
        return names;
    }

    ScratchFolder scratch_{"korven upgrade steps"};
    std::string data_ = scratch_.File("WinKorv DATA");
    AliasStoreSandbox store_{scratch_.File("aliases.cfg")};
    LibraryTrace trace_;
};

TEST_F(LibrarySteps, ANewDatabaseGetsAllThreeFiles) {
    DoStructureUpgrade();
    EXPECT_TRUE(GetSemaforOK());
    DoListUpgrade();
    EXPECT_TRUE(GetSemaforOK());
    DoConstUpgrade();
    EXPECT_TRUE(GetSemaforOK());
    EXPECT_EQ(ReadBytes(DataFile("STRUCT.VER")), kVersionText);
    EXPECT_EQ(ReadBytes(DataFile("LISTE.TXT")),
              "JUDET=Alba\r\nJUDET=Cluj\r\nJUDET=Ilfov\r\nMONEDA=RON\r\nMONEDA=EUR\r\nUM=buc\r\nUM=kg\r\n");
    EXPECT_EQ(ReadBytes(DataFile("CONST.DAT")),
              "VERSIUNE_BD=" + std::to_string(UPGRADE_LIBRARY_VERSION) + "\r\nCOTA_TVA=19\r\nMONEDA_NATIONALA=RON\r\n");
    EXPECT_EQ(FolderContents(), (std::vector<std::string>{"CONST.DAT", "LISTE.TXT", "STRUCT.VER"}))
        << "no temporary file is left";
    EXPECT_EQ(trace_.Calls(),
              (std::vector<std::string>{"SetReportProc", "DoStructureUpgrade", "GetSemaforOK", "DoListUpgrade",
                                        "GetSemaforOK", "DoConstUpgrade", "GetSemaforOK"}));
}

TEST_F(LibrarySteps, TheCustomersDataIsKeptAndTheLibrarysIsMergedIn) {
    WriteBytes(DataFile("STRUCT.VER"), "VERSIUNE=1\r\n");
    WriteBytes(DataFile("LISTE.TXT"), "CLIENT=Popescu SRL\r\nJUDET=Cluj\r\nUM=litri");
    WriteBytes(DataFile("CONST.DAT"), "FIRMA=Popescu SRL\r\ncota_tva = 24\r\nCASA=2\r\n");
    DoStructureUpgrade();
    DoListUpgrade();
    DoConstUpgrade();
    EXPECT_TRUE(GetSemaforOK());
    EXPECT_EQ(ReadBytes(DataFile("STRUCT.VER")), kVersionText);
    EXPECT_EQ(ReadBytes(DataFile("LISTE.TXT")),
              "CLIENT=Popescu SRL\r\nJUDET=Cluj\r\nUM=litri\r\n"
              "JUDET=Alba\r\nJUDET=Ilfov\r\nMONEDA=RON\r\nMONEDA=EUR\r\nUM=buc\r\nUM=kg\r\n");
    EXPECT_EQ(ReadBytes(DataFile("CONST.DAT")),
              "FIRMA=Popescu SRL\r\nCOTA_TVA=19\r\nCASA=2\r\nVERSIUNE_BD=" + std::to_string(UPGRADE_LIBRARY_VERSION) +
                  "\r\nMONEDA_NATIONALA=RON\r\n");
}

TEST_F(LibrarySteps, AnUpToDateDatabaseIsLeftAsItIs) {
    const std::string lists =
        "UM=kg\r\nUM=buc\r\nMONEDA=EUR\r\nMONEDA=RON\r\nJUDET=Ilfov\r\nJUDET=Cluj\r\nJUDET=Alba\r\n";
    WriteBytes(DataFile("STRUCT.VER"), kVersionText);
    WriteBytes(DataFile("LISTE.TXT"), lists);
    DoStructureUpgrade();
    EXPECT_TRUE(GetSemaforOK());
    DoListUpgrade();
    EXPECT_TRUE(GetSemaforOK());
    EXPECT_EQ(ReadBytes(DataFile("STRUCT.VER")), kVersionText);
    EXPECT_EQ(ReadBytes(DataFile("LISTE.TXT")), lists);
    EXPECT_NE(std::find(reports.begin(), reports.end(), "Structurile sunt la zi"), reports.end());
    EXPECT_NE(std::find(reports.begin(), reports.end(), "Listele sunt la zi"), reports.end());
}

TEST_F(LibrarySteps, ANewerOrUnreadableDatabaseIsNeverDowngraded) {
    WriteBytes(DataFile("STRUCT.VER"), "VERSIUNE=99\r\n");
    DoStructureUpgrade();
    EXPECT_FALSE(GetSemaforOK());
    EXPECT_EQ(ReadBytes(DataFile("STRUCT.VER")), "VERSIUNE=99\r\n");
    WriteBytes(DataFile("STRUCT.VER"), "ceva\r\n");
    DoStructureUpgrade();
    EXPECT_FALSE(GetSemaforOK());
    EXPECT_EQ(ReadBytes(DataFile("STRUCT.VER")), "ceva\r\n");
}

TEST_F(LibrarySteps, WithoutTheAliasEveryStepFailsAndSaysWhy) {
    store_.Define("FIRMAALIAS", data_);
    for (auto step : {DoStructureUpgrade, DoListUpgrade, DoConstUpgrade}) {
        step();
        EXPECT_FALSE(GetSemaforOK());
    }
    EXPECT_TRUE(FolderContents().empty());
    EXPECT_EQ(std::count(reports.begin(), reports.end(), "Nu gasesc directorul bazei de date: "), 3);
}

TEST_F(LibrarySteps, EachStepReportsSeveralTexts) {
    for (auto step : {DoStructureUpgrade, DoListUpgrade, DoConstUpgrade}) {
        reports.clear();
        step();
        EXPECT_GE(reports.size(), 3u);
    }
    EXPECT_EQ(reports.front(), "Actualizare constante...");
}

TEST_F(LibrarySteps, TheSemaforCanBeScriptedPerStep) {
    EnvironmentSwitch script("KORVEN_UPGRADE_SEMAFOR", "1=0,3=0");
    DoStructureUpgrade();
    EXPECT_FALSE(GetSemaforOK());
    EXPECT_EQ(ReadBytes(DataFile("STRUCT.VER")), kVersionText) << "the work itself is done";
    DoListUpgrade();
    EXPECT_TRUE(GetSemaforOK());
    DoConstUpgrade();
    EXPECT_FALSE(GetSemaforOK());
}

}  // namespace
