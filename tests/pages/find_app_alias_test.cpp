// The installation search page asks the upgrade library for the folder of
// the alias "KORVEN": here the sample UPGRADE.DLL, answering from an alias
// store of the test's own.
#include "pages/find_app_page.h"

#include "core/settings.h"
#include "toolkit/active_edit.h"
#include "toolkit/fmt_label.h"
#include "toolkit/mbutton.h"
#include "upgrade/installation_alias.h"
#include "upgrade/upgrade_library.h"
#include "upgrade_test_support.h"

#include "page_test_support.h"

#include <gtest/gtest.h>

namespace {

class FindAppAliasTest : public PageTest {
protected:
    void TearDown() override { FreeUpgradeLibrary(); }
};

TEST_F(FindAppAliasTest, TheDataFolderIsTheOneAboveTheLibrarysAliasFolder) {
    ScratchFolder scratch("korven_find_alias");
    CreateDirectoryA(scratch.File("WinKorv").c_str(), nullptr);
    CreateDirectoryA(scratch.File("WinKorv\\DATA").c_str(), nullptr);
    AliasStoreSandbox store(scratch.File("aliases.cfg"));
    store.Define("KORVEN", scratch.File("WinKorv\\DATA\\"));
    ASSERT_TRUE(LoadUpgradeLibraryFrom(UPGRADE_DLL_FOLDER));

    TFindApp page(nullptr, AliasFolderOfInstallation());
    EXPECT_EQ(InstallSettings.DefaultDataDir, scratch.File("WinKorv"));
    EXPECT_EQ(InstallSettings.InstallType, itLocal);
    EXPECT_TRUE(IsWindowEnabled(page.BNext->Handle()));
}

TEST_F(FindAppAliasTest, WithoutAnAliasFolderNothingIsFound) {
    ScratchFolder scratch("korven_find_alias");
    AliasStoreSandbox store(scratch.File("aliases.cfg"));
    store.Define("KORVENALIAS", scratch.Path());
    ASSERT_TRUE(LoadUpgradeLibraryFrom(UPGRADE_DLL_FOLDER));

    TFindApp page(nullptr, AliasFolderOfInstallation());
    EXPECT_EQ(page.RProgram->Text(), "????");
    EXPECT_EQ(page.dirlabel->Caption(), "Nu gasesc instalare de KORVEN...");
    EXPECT_FALSE(IsWindowEnabled(page.BNext->Handle()));
}

}  // namespace
