// The binding to UPGRADE.DLL: where it is loaded from, what makes a library
// unusable, and the alias buffer and report blocks handled within their
// bounds.
#include "upgrade/upgrade_library.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "upgrade_test_support.h"

namespace {

class UpgradeLibrary : public ::testing::Test {
protected:
    void TearDown() override { FreeUpgradeLibrary(); }

    ScratchFolder scratch_{"korven upgrade"};
    AliasStoreSandbox store_{scratch_.File("aliases.cfg")};
    LibraryTrace trace_;
};

TEST_F(UpgradeLibrary, LoadsFromAFolderOfAnyLengthWithOrWithoutItsBackslash) {
    // Longer than the 50 characters an old fixed buffer would have held, with blanks.
    std::string folder = scratch_.Path();
    for (const char* part : {"\\Program Files", "\\Contabilitate KORVEN 2024", "\\Kit de actualizare"}) {
        folder += part;
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    ASSERT_GT(folder.size(), 60u);
    ASSERT_TRUE(CopyFileA(UPGRADE_DLL_FOLDER "\\UPGRADE.DLL", (folder + "\\UPGRADE.DLL").c_str(), FALSE));
    EXPECT_TRUE(LoadUpgradeLibraryFrom(folder));
    EXPECT_TRUE(UpgradeLibraryLoaded());
    EXPECT_TRUE(LoadUpgradeLibraryFrom(folder + "\\"));
    EXPECT_TRUE(GetSemaforOK()) << "no step has failed yet";
    FreeUpgradeLibrary();
    EXPECT_FALSE(UpgradeLibraryLoaded());
    // Unloaded, so the file can go.
    EXPECT_TRUE(DeleteFileA((folder + "\\UPGRADE.DLL").c_str()));
}

TEST_F(UpgradeLibrary, AFolderWithoutTheLibraryDoesNotLoad) {
    CapturedLog log;
    EXPECT_FALSE(LoadUpgradeLibraryFrom(scratch_.Path()));
    EXPECT_FALSE(UpgradeLibraryLoaded());
    const auto lines = log.Lines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                            [](const std::string& line) { return line.find("Nu pot incarca") != std::string::npos; }));
}

TEST_F(UpgradeLibrary, ALibraryWithoutAStepDoesNotLoadAndIsNeverCalled) {
    CapturedLog log;
    store_.Define("KORVEN", scratch_.Path());
    ASSERT_TRUE(LoadUpgradeLibraryFrom(UPGRADE_DLL_FOLDER));
    EXPECT_FALSE(LoadUpgradeLibraryFrom(WITHOUT_LIST_STEP_FOLDER));
    EXPECT_FALSE(UpgradeLibraryLoaded()) << "the library loaded before is gone too";
    // Every call is now a no-op: none reaches a library, none crashes.
    EXPECT_EQ(UpgradeAliasPath("KORVEN"), "");
    SetReportProc(nullptr);
    DoStructureUpgrade();
    DoListUpgrade();
    DoConstUpgrade();
    SetQuickVerif(true);
    EXPECT_FALSE(GetSemaforOK());
    EXPECT_TRUE(trace_.Lines().empty()) << trace_.Lines().front();
    EXPECT_EQ(GetFileAttributesA(scratch_.File("STRUCT.VER").c_str()), INVALID_FILE_ATTRIBUTES);
    const auto lines = log.Lines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.find("UPGRADE.DLL nu are functia DoListUpgrade") != std::string::npos;
    }));
}

TEST_F(UpgradeLibrary, CheckExclusiveIsNotNeeded) {
    EXPECT_TRUE(LoadUpgradeLibraryFrom(WITHOUT_CHECK_EXCLUSIVE_FOLDER));
    EXPECT_TRUE(trace_.Lines().empty()) << "looked up, never called";
}

TEST_F(UpgradeLibrary, TheAliasFolderComesFromTheEngineStore) {
    store_.Define("KORVEN", "C:\\WinKorv\\DATA");
    ASSERT_TRUE(LoadUpgradeLibraryFrom(UPGRADE_DLL_FOLDER));
    EXPECT_EQ(UpgradeAliasPath("KORVEN"), "C:\\WinKorv\\DATA");
    EXPECT_EQ(UpgradeAliasPath("korven"), "C:\\WinKorv\\DATA") << "names compare as Windows compares them";
    EXPECT_EQ(UpgradeAliasPath("FIRMAALIAS"), "");
    EXPECT_EQ(trace_.Lines().front(), "GetAliasPath alias=\"KORVEN\" result=\"C:\\WinKorv\\DATA\"");
}

TEST_F(UpgradeLibrary, AVeryLongAliasFolderStaysWithinTheBuffer) {
    const std::string longFolder = "C:\\" + std::string(400, 'D');
    store_.Define("KORVEN", longFolder);
    ASSERT_TRUE(LoadUpgradeLibraryFrom(UPGRADE_DLL_FOLDER));
    EXPECT_EQ(UpgradeAliasPath("KORVEN"), longFolder.substr(0, 255));

    // The library itself, with a guard right after its 256 characters.
    HMODULE library = GetModuleHandleA("UPGRADE.DLL");
    ASSERT_NE(library, nullptr);
    auto getAliasPath = reinterpret_cast<upgrade::GetAliasPathProc>(
        reinterpret_cast<void*>(GetProcAddress(library, upgrade::GetAliasPathName)));
    ASSERT_NE(getAliasPath, nullptr);
    struct {
        char buffer[upgrade::AliasBufferSize];
        char guard[64];
    } guarded;
    std::memset(&guarded, 'G', sizeof guarded);
    std::strcpy(guarded.buffer, "KORVEN");
    getAliasPath(guarded.buffer);
    EXPECT_EQ(guarded.buffer[255], '\0');
    EXPECT_EQ(std::string(guarded.buffer), longFolder.substr(0, 255));
    EXPECT_EQ(std::string(guarded.guard, sizeof guarded.guard), std::string(64, 'G'));

    // A name that fills the whole buffer without its zero is read within it.
    std::memset(&guarded, 'K', sizeof guarded.buffer);
    getAliasPath(guarded.buffer);
    EXPECT_EQ(std::string(guarded.buffer), "") << "no such alias";
    EXPECT_EQ(std::string(guarded.guard, sizeof guarded.guard), std::string(64, 'G'));
}

TEST(ReportText, IsReadWithinItsBlock) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 32);
    ASSERT_NE(block, nullptr);
    char* bytes = static_cast<char*>(GlobalLock(block));
    std::strcpy(bytes, "Verificare structuri");
    GlobalUnlock(block);
    EXPECT_EQ(ReadReportText(block), "Verificare structuri");

    // No zero anywhere in the block: the text ends with the block.
    const SIZE_T size = GlobalSize(block);
    bytes = static_cast<char*>(GlobalLock(block));
    std::memset(bytes, 'x', size);
    GlobalUnlock(block);
    EXPECT_EQ(ReadReportText(block), std::string(size, 'x'));
    EXPECT_TRUE(GlobalFree(block) == nullptr);

    EXPECT_EQ(ReadReportText(nullptr), std::nullopt);
}

}  // namespace
