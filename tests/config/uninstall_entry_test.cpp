// KORVEN's line in the list of installed programs, read back from the
// registry as the system's list reads it.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "config/uninstall_entry.h"
#include "core/registry_key.h"

namespace {

std::optional<DWORD> Number(const RegistryKey& key, const char* name) {
    DWORD type = 0, value = 0, size = sizeof value;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
        return std::nullopt;
    return value;
}

class UninstallEntryTest : public ::testing::Test {
protected:
    void TearDown() override { RegistryKey::Delete(HKEY_LOCAL_MACHINE, UninstallEntryKey); }
};

TEST_F(UninstallEntryTest, TheEntryNamesTheUninstallerWithAndWithoutQuestionsAndTheRecordedSize) {
    InstallationRecord record;
    record.programDir = "C:\\Program Files\\Korven";
    // 1 KB and one byte, and 2 KB: 4 KB once each file's part counts.
    record.files = {{"EXE", "KORVEN.EXE", 1025, 0}, {"HELP", "KORVEN.HLP", 2048, 0}};
    ASSERT_TRUE(WriteUninstallEntry(record));

    const auto key =
        RegistryKey::Open(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\WinKORVEN");
    ASSERT_TRUE(key);
    EXPECT_EQ(key->ReadString("DisplayName"), "KORVEN");
    EXPECT_EQ(key->ReadString("DisplayVersion"), "3200851.09");
    EXPECT_EQ(key->ReadString("Publisher"), "KORVEN");
    EXPECT_EQ(key->ReadString("InstallLocation"), "C:\\Program Files\\Korven");
    EXPECT_EQ(key->ReadString("DisplayIcon"), "C:\\Program Files\\Korven\\KORVEN.EXE,0");
    EXPECT_EQ(key->ReadString("UninstallString"), "\"C:\\Program Files\\Korven\\DEZINST.EXE\" /UNINSTALL");
    EXPECT_EQ(key->ReadString("QuietUninstallString"),
              "\"C:\\Program Files\\Korven\\DEZINST.EXE\" /UNINSTALL /UNATTENDED");
    EXPECT_EQ(Number(*key, "EstimatedSize"), 4u);
    EXPECT_EQ(Number(*key, "NoModify"), 1u);
    EXPECT_EQ(Number(*key, "NoRepair"), 1u);

    SYSTEMTIME today;
    GetLocalTime(&today);
    const std::string date = key->ReadString("InstallDate").value_or("");
    ASSERT_EQ(date.size(), 8u);
    EXPECT_EQ(std::stoi(date.substr(0, 4)), today.wYear);
    EXPECT_EQ(std::stoi(date.substr(4, 2)), today.wMonth);
}

TEST_F(UninstallEntryTest, AnUpgradesEntryReplacesTheValuesAndOnlyItsOwnInstallationRemovesIt) {
    InstallationRecord record;
    record.programDir = "C:\\WinKorv";
    ASSERT_TRUE(WriteUninstallEntry(record));
    record.programDir = "D:\\Korven";
    ASSERT_TRUE(WriteUninstallEntry(record));
    {
        const auto key = RegistryKey::Open(HKEY_LOCAL_MACHINE, UninstallEntryKey);
        ASSERT_TRUE(key);
        EXPECT_EQ(key->ReadString("InstallLocation"), "D:\\Korven");
        EXPECT_EQ(Number(*key, "EstimatedSize"), 0u);
    }
    // Another installation's removal leaves this one in the list.
    EXPECT_TRUE(RemoveUninstallEntry("C:\\WinKorv"));
    EXPECT_TRUE(RegistryKey::Open(HKEY_LOCAL_MACHINE, UninstallEntryKey));
    EXPECT_TRUE(RemoveUninstallEntry("d:\\korven\\"));
    EXPECT_FALSE(RegistryKey::Open(HKEY_LOCAL_MACHINE, UninstallEntryKey));
    EXPECT_TRUE(RemoveUninstallEntry("D:\\Korven"));
}

}  // namespace
