// The installation search of an upgrade: the readings of the alias folder,
// the program folder from the profile and from a walk of a folder tree, and
// the page that shows them, driven with window messages.
#include "pages/find_app_page.h"
#include "pages/installation_search.h"

#include "framework/application.h"
#include "framework/filectrls.h"
#include "pages/dir_dialog.h"
#include "core/settings.h"
#include "toolkit/active_edit.h"
#include "toolkit/fmt_label.h"
#include "toolkit/mbutton.h"
#include "toolkit/nice_button.h"
#include "toolkit/title_bar.h"
#include "core/unique_handle.h"

#include "page_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

void Click(TWinControl& button) { SendMessageA(button.Handle(), BM_CLICK, 0, 0); }

// A file of exactly `size` bytes.
void MakeFile(const std::string& path, LONGLONG size) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(file.valid()) << path;
    LARGE_INTEGER at;
    at.QuadPart = size;
    ASSERT_TRUE(SetFilePointerEx(file, at, nullptr, FILE_BEGIN) && SetEndOfFile(file)) << path;
}

constexpr LONGLONG kApplicationSize = 1'000'001;

// A WIN.INI value set for one test and given back afterwards.
class ProfileValueScope {
public:
    ProfileValueScope(const char* key, const std::string& value) : key_(key) {
        char old[1024];
        had_ = GetProfileStringA("Korven", key, "\x01", old, sizeof old) != 1 || old[0] != '\x01';
        old_ = old;
        WriteProfileStringA("Korven", key, value.c_str());
    }
    ~ProfileValueScope() { WriteProfileStringA("Korven", key_, had_ ? old_.c_str() : nullptr); }
    ProfileValueScope(const ProfileValueScope&) = delete;
    ProfileValueScope& operator=(const ProfileValueScope&) = delete;

private:
    const char* key_;
    bool had_ = false;
    std::string old_;
};

class FindAppTest : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        char temp[MAX_PATH], full[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        GetFullPathNameA((std::string(temp) + "korven_find_" + std::to_string(GetCurrentProcessId())).c_str(),
                         sizeof full, full, nullptr);
        root = std::string(full) + "\\";
        CreateDirectoryA(root.c_str(), nullptr);
    }

    void TearDown() override {
        for (auto it = made.rbegin(); it != made.rend(); ++it)
            if (!DeleteFileA(it->c_str())) RemoveDirectoryA(it->c_str());
        RemoveDirectoryA(root.c_str());
    }

    // A folder under the test's root, with a final backslash.
    std::string Folder(const std::string& name) {
        const std::string path = root + name;
        CreateDirectoryA(path.c_str(), nullptr);
        made.push_back(path);
        return path + "\\";
    }

    std::string File(const std::string& name, LONGLONG size) {
        const std::string path = root + name;
        MakeFile(path, size);
        made.push_back(path);
        return path;
    }

    // Next and then Abandon, as the user clicks them: mrOk when Next closed
    // the page, mrCancel when it stayed open.
    static int NextThenCancel(TFindApp& page) {
        return ShowClicking(page, {page.BNext->Handle(), page.BCancel->Handle()});
    }

    std::string root;
    std::vector<std::string> made;
};

TEST(AliasFolder, TheFolderAboveDataHoldsTheDataAndTheRootIsWholeDriveOrShare) {
    const auto winkorv = ReadAliasFolder("C:\\WinKorv\\DATA\\");
    ASSERT_TRUE(winkorv);
    EXPECT_EQ(winkorv->dataFolder, "C:\\WinKorv");
    EXPECT_EQ(winkorv->root, "C:\\");

    const auto lower = ReadAliasFolder("d:\\contab\\data");
    ASSERT_TRUE(lower);
    EXPECT_EQ(lower->dataFolder, "d:\\contab") << "DATA in any case";
    EXPECT_EQ(lower->root, "d:\\");

    const auto atRoot = ReadAliasFolder("C:\\DATA");
    ASSERT_TRUE(atRoot);
    EXPECT_EQ(atRoot->dataFolder, "C:\\") << "a bare C: would be the current folder of the drive";
    EXPECT_EQ(atRoot->root, "C:\\");

    const auto other = ReadAliasFolder("E:\\Firma\\MYDATA\\");
    ASSERT_TRUE(other);
    EXPECT_EQ(other->dataFolder, "E:\\Firma\\MYDATA") << "only a folder called DATA itself";

    const auto share = ReadAliasFolder("\\\\server\\share\\Korven\\DATA");
    ASSERT_TRUE(share);
    EXPECT_EQ(share->dataFolder, "\\\\server\\share\\Korven");
    EXPECT_EQ(share->root, "\\\\server\\share\\");
    const auto shareTop = ReadAliasFolder("\\\\server\\share\\DATA\\");
    ASSERT_TRUE(shareTop);
    EXPECT_EQ(shareTop->dataFolder, "\\\\server\\share");
    EXPECT_EQ(shareTop->root, "\\\\server\\share\\");

    EXPECT_FALSE(ReadAliasFolder(""));
    EXPECT_FALSE(ReadAliasFolder("\\"));
}

TEST(AliasFolder, AShareIsAClientsAndAFixedDiskALocalInstallation) {
    EXPECT_EQ(InstallTypeOfRoot("\\\\server\\share\\"), itClient) << "even while the server does not answer";
    EXPECT_EQ(InstallTypeOfRoot("C:\\"), itLocal);
}

TEST_F(FindAppTest, OnlyAKorvenExeLargerThanAMillionBytesMakesAnInstallation) {
    const std::string exact = Folder("Exact");
    File("Exact\\KORVEN.EXE", 1'000'000);
    EXPECT_FALSE(IsKorvenFolder(exact));
    const std::string larger = Folder("Larger");
    File("Larger\\KORVEN.EXE", kApplicationSize);
    EXPECT_TRUE(IsKorvenFolder(larger));
    EXPECT_TRUE(IsKorvenFolder(root + "Larger")) << "without the final backslash";

    const std::string folderOfThatName = Folder("Named");
    Folder("Named\\KORVEN.EXE");
    EXPECT_FALSE(IsKorvenFolder(folderOfThatName));

    // The application is running and keeps its file to itself.
    UniqueHandle running(
        CreateFileA((larger + "KORVEN.EXE").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(running.valid());
    EXPECT_TRUE(IsKorvenFolder(larger));
}

TEST_F(FindAppTest, ProfileValuesAppPathWithItsBackslashThenDatabasePathUpToItsLast) {
    const std::string program = Folder("Program");
    File("Program\\Korven.exe", 10);
    EXPECT_EQ(ProgramFolderFromProfileValues(program, ""), program) << "the file only has to be there";

    const std::string withoutBackslash = program.substr(0, program.size() - 1);
    EXPECT_EQ(ProgramFolderFromProfileValues(withoutBackslash, ""), std::nullopt);
    EXPECT_EQ(ProgramFolderFromProfileValues(withoutBackslash, program + "KORVEN.DB"), program);
    EXPECT_EQ(ProgramFolderFromProfileValues("", program + "Date\\KORVEN.DB"), std::nullopt)
        << "cut at its last backslash, not above";
    EXPECT_EQ(ProgramFolderFromProfileValues("", "KORVEN.DB"), std::nullopt);
    EXPECT_EQ(ProgramFolderFromProfileValues(root + "Nicaieri\\", withoutBackslash), std::nullopt);

    // Through WIN.INI, with values far longer than 32 characters.
    const std::string deep = Folder("Un nume de folder destul de lung pentru profil");
    File("Un nume de folder destul de lung pentru profil\\Korven.exe", 10);
    ProfileValueScope app("AppPath", deep.substr(0, deep.size() - 1));
    ProfileValueScope database("DatabasePath", deep + "KORVEN.DB");
    EXPECT_EQ(ProgramFolderFromProfile(), deep);
}

TEST_F(FindAppTest, TheTreeWalkFindsTheDeepFolderAndNeverFollowsALinkBackUp) {
    Folder("Alfa");
    Folder("Alfa\\Gol");
    Folder("Beta");
    const std::string small = Folder("Beta\\Mic");
    File("Beta\\Mic\\KORVEN.EXE", 1'000'000);
    Folder("Beta\\Gama");
    const std::string program = Folder("Beta\\Gama\\WinKorv");
    File("Beta\\Gama\\WinKorv\\KORVEN.EXE", kApplicationSize);
    // A link back to the top in front of everything: followed, it would
    // walk the tree again and again.
    const std::string loop = root + "Alfa\\Inapoi";
    ASSERT_TRUE(CreateSymbolicLinkA(loop.c_str(), root.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY)) << GetLastError();
    made.push_back(loop);

    EXPECT_EQ(SearchTree(root), program);
    EXPECT_EQ(SearchTree(program), program) << "the folder itself first";
    EXPECT_EQ(SearchTree(root + "Alfa\\"), std::nullopt);
    EXPECT_EQ(SearchTree(small), std::nullopt);
    EXPECT_EQ(SearchTree(root + "Lipsa\\"), std::nullopt) << "a folder that cannot be read";
}

TEST_F(FindAppTest, ALocalInstallationAboveItsDataFolderIsFoundThroughTheProfile) {
    const std::string program = Folder("WinKorv");
    File("WinKorv\\Korven.exe", kApplicationSize);
    ProfileValueScope app("AppPath", program);
    InstallSettings.DataDir = "X:\\";

    TFindApp page(nullptr, root + "WinKorv\\DATA\\");
    EXPECT_EQ(InstallSettings.DefaultDataDir, root + "WinKorv");
    EXPECT_EQ(InstallSettings.InstallType, itLocal);
    EXPECT_EQ(page.TitleBar()->Caption(), "Apasati 'Continua' pentru a localiza aplicatia!");
    EXPECT_TRUE(IsWindowEnabled(page.BNext->Handle())) << "its first click searches";
    EXPECT_FALSE(IsWindowEnabled(page.RDate->Handle()));
    EXPECT_FALSE(IsWindowEnabled(page.BDate->Handle()));

    EXPECT_EQ(NextThenCancel(page), mrCancel) << "the search keeps the page open";
    EXPECT_TRUE(page.Searched());
    EXPECT_TRUE(page.Found());
    EXPECT_EQ(page.RProgram->Text(), program);
    EXPECT_EQ(page.RDate->Text(), root + "WinKorv");
    EXPECT_EQ(page.dirlabel->Caption(), "");
    EXPECT_EQ(page.TitleBar()->Caption(), "Confirmati corectitudinea directorului program");
    EXPECT_EQ(InstallSettings.DataDir, "X:\\") << "nothing stored before the second Next";

    // A folder typed now is taken as it stands.
    page.RProgram->SetText(root + "Altundeva\\");
    EXPECT_EQ(NextThenCancel(page), mrOk);
    EXPECT_EQ(InstallSettings.DefaultProgramDir, root + "Altundeva\\");
    EXPECT_EQ(InstallSettings.ProgramDir, root + "Altundeva\\");
    EXPECT_EQ(InstallSettings.DataDir, root + "WinKorv");
}

TEST_F(FindAppTest, AClientOnAShareSaysSoInTheDataField) {
    const std::string program = Folder("Client");
    File("Client\\Korven.exe", kApplicationSize);
    ProfileValueScope app("AppPath", program);
    TFindApp page(nullptr, "\\\\server\\share\\Korven\\DATA");
    EXPECT_EQ(InstallSettings.InstallType, itClient);
    EXPECT_EQ(InstallSettings.DefaultDataDir, "\\\\server\\share\\Korven");
    EXPECT_EQ(NextThenCancel(page), mrCancel);
    EXPECT_EQ(page.RDate->Text(), "Am detectat o instalare client");
    EXPECT_EQ(NextThenCancel(page), mrOk);
    EXPECT_EQ(InstallSettings.ProgramDir, program);
    EXPECT_EQ(InstallSettings.DataDir, "\\\\server\\share\\Korven");
}

TEST_F(FindAppTest, AnAliasWithoutAFolderIsNothingToUpgrade) {
    TFindApp page(nullptr, "");
    EXPECT_EQ(page.RProgram->Text(), "????");
    EXPECT_EQ(page.dirlabel->Caption(), "Nu gasesc instalare de KORVEN...");
    EXPECT_FALSE(IsWindowEnabled(page.BNext->Handle()));
    EXPECT_EQ(ShowClicking(page, {page.BNext->Handle(), page.BCancel->Handle()}), mrCancel);
    EXPECT_FALSE(page.Searched());
}

TEST_F(FindAppTest, APickedFolderCountsOnlyWithTheApplicationInIt) {
    const std::string good = Folder("Bun");
    File("Bun\\KORVEN.EXE", kApplicationSize);
    Folder("Gol");
    TFindApp page(nullptr, root + "DATA");
    page.Show();
    const auto pick = [&](const char* name) {
        WhenPickerOpens([&](TDirDialog& picker) {
            picker.dirs->SetDirectory(root + name);
            Press(picker, "NiceButton1");
        });
        Click(*page.BProgram);
    };

    pick("Gol");
    EXPECT_EQ(page.RProgram->Text(), root + "Gol\\");
    EXPECT_EQ(page.dirlabel->Caption(), "Nu gasesc instalare de KORVEN...");
    EXPECT_TRUE(IsWindowEnabled(page.BNext->Handle())) << "before the search Next still starts it";

    // The search replaces what was picked.
    ProfileValueScope app("AppPath", good);
    Click(*page.BNext);
    EXPECT_TRUE(page.Searched());
    EXPECT_EQ(page.RProgram->Text(), good);

    pick("Gol");
    EXPECT_FALSE(page.Found());
    EXPECT_EQ(page.dirlabel->Caption(), "Nu gasesc instalare de KORVEN...");
    EXPECT_FALSE(IsWindowEnabled(page.BNext->Handle()));

    pick("Bun");
    EXPECT_EQ(page.RProgram->Text(), good);
    EXPECT_EQ(page.dirlabel->Caption(), "");
    EXPECT_TRUE(page.Found());
    EXPECT_TRUE(IsWindowEnabled(page.BNext->Handle()));

    WhenPickerOpens([&](TDirDialog& picker) { Press(picker, "NiceButton2"); });
    Click(*page.BProgram);
    EXPECT_EQ(page.RProgram->Text(), good) << "Renunt changes nothing";
    page.Hide();
}

}  // namespace
