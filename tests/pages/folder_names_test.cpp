// Which folder names the folder pages accept as full names.
#include "pages/folder_names.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

TEST(FolderNamesTest, FullNamesStartAtADriveRootOrANetworkShare) {
    for (const char* name : {"C:\\", "c:\\WinKorv", "D:\\Date\\", "\\\\server\\share", "\\\\server\\share\\Date\\"})
        EXPECT_TRUE(IsFullFolderName(name)) << name;
    for (const char* name : {"", "WinKorv", "\\WinKorv", "C:", "C:WinKorv", "1:\\x", "\\\\server", "\\\\server\\",
                             "\\\\\\share", "\\\\.\\C:", "\\\\?\\C:\\x", "C:/WinKorv"})
        EXPECT_FALSE(IsFullFolderName(name)) << name;
}

TEST(FolderNamesTest, ARelativeNameNeitherExistsNorIsCreated) {
    char current[MAX_PATH];
    GetCurrentDirectoryA(sizeof current, current);
    const std::string relative = "korven_relativ_" + std::to_string(GetCurrentProcessId());
    EXPECT_FALSE(FolderExists("."));
    EXPECT_FALSE(EnsureFolderOneLevel(relative));
    EXPECT_EQ(GetFileAttributesA((std::string(current) + "\\" + relative).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(EnsureFolderOneLevel(""));
}
