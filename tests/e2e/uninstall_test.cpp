// DEZINST.EXE started as the list of installed programs starts it, over an
// installation laid out by hand with its record: the temporary copy it runs
// from, the exit code a script gets, the pages a person clicks through, and
// a record that cannot be read. Each scenario runs in a prefix of its own.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/program_path.h"
#include "kit_run.h"
#include "ui_driver.h"

namespace {

const char* const Program = "C:\\KorvenDez";
const char* const Caption = "Dezinstalare KORVEN";

std::string InProgram(const std::string& name) { return std::string(Program) + "\\" + name; }

// KORVEN.EXE and HELP\K.HLP as an installation left them, a file the user
// put beside them, and the uninstaller.
void LayOutInstallation(bool withRecord) {
    MakeFolders(InProgram("HELP"));
    CopyFileA((ProgramFolder() + "INSTALL.EXE").c_str(), InProgram("DEZINST.EXE").c_str(), FALSE);
    WriteWholeFile(InProgram("KORVEN.EXE"), "123456789");  // CRC-32 CBF43926
    WriteWholeFile(InProgram("HELP\\K.HLP"), "abc");       // CRC-32 352441C2
    WriteWholeFile(InProgram("NOTE.TXT"), "the user's");
    if (!withRecord) return;
    WriteWholeFile(InProgram("INSTALAT.TXT"),
                   "KORVEN inregistrarea instalarii 1\r\nKIT 3.1\r\nTIP LOCAL\r\n"
                   "PROGRAM C:\\KorvenDez\r\nDATE C:\\KorvenDez\r\nMOTOR NIMIC\r\n"
                   "DOSAR C:\\KorvenDez\\HELP\r\n"
                   "FISIER EXE 9 CBF43926 KORVEN.EXE\r\nFISIER HELP 3 352441C2 HELP\\K.HLP\r\n");
}

std::string PendingRemovals() {
    char text[8192] = {};
    DWORD size = sizeof text;
    RegGetValueA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager",
                 "PendingFileRenameOperations", RRF_RT_REG_MULTI_SZ, nullptr, text, &size);
    std::string joined;
    for (DWORD i = 0; i + 1 < size; ++i) joined += text[i] ? text[i] : '|';
    return joined;
}

// The temporary copy deletes DEZINST.EXE once the first process is gone.
bool WaitForPath(const std::string& path, bool present, DWORD milliseconds = 20000) {
    for (DWORD waited = 0; waited < milliseconds; waited += 100) {
        if (PathExists(path) == present) return true;
        Sleep(100);
    }
    return PathExists(path) == present;
}

TEST(Uninstall, TheQuietCommandEndsWithZeroAndLeavesOnlyTheUsersFile) {
    LayOutInstallation(true);
    const UnattendedRun run = RunUnattended(InProgram("DEZINST.EXE"), "/UNINSTALL /UNATTENDED", std::nullopt);
    EXPECT_EQ(run.exitCode, 0u) << run.errors;
    EXPECT_TRUE(WaitForPath(InProgram("DEZINST.EXE"), false));
    EXPECT_FALSE(PathExists(InProgram("KORVEN.EXE")));
    EXPECT_FALSE(PathExists(InProgram("HELP")));
    EXPECT_FALSE(PathExists(InProgram("INSTALAT.TXT")));
    EXPECT_EQ(ReadWholeFile(InProgram("NOTE.TXT")), "the user's");
    // Asked for as the temporary copy ends, after its end page.
    for (int tries = 0; tries < 200 && PendingRemovals().find("DEZKORV.EXE") == std::string::npos; ++tries) Sleep(100);
    EXPECT_NE(PendingRemovals().find("DEZKORV.EXE"), std::string::npos) << PendingRemovals();
}

TEST(Uninstall, AMissingRecordRemovesNothingAndEndsWithThree) {
    LayOutInstallation(false);
    const UnattendedRun run = RunUnattended(InProgram("DEZINST.EXE"), "/UNINSTALL /UNATTENDED", std::nullopt);
    EXPECT_EQ(run.exitCode, 3u) << run.errors;
    EXPECT_EQ(ReadWholeFile(InProgram("KORVEN.EXE")), "123456789");
    EXPECT_TRUE(PathExists(InProgram("DEZINST.EXE")));
    EXPECT_NE(ReadWholeFile("C:\\korvinst.log").find("INSTALAT.TXT"), std::string::npos);
}

TEST(Uninstall, APersonConfirmsAndSeesTheEndPage) {
    LayOutInstallation(true);
    const KitRun first = StartKit(InProgram("DEZINST.EXE"), "/UNINSTALL", std::nullopt);
    EXPECT_EQ(first.exitCode, 0u) << "the program folder's copy ends at once";
    HWND confirm = ui::WaitForWindow(Caption);
    ASSERT_NE(confirm, nullptr);
    ASSERT_NE(ui::Control(confirm, "&Sterge si datele firmei"), nullptr);
    ui::Click(ui::Control(confirm, "&Continua"));
    ASSERT_TRUE(ui::WaitGone(confirm));
    // The progress page goes by itself; the end page waits for Gata.
    HWND end = nullptr;
    for (int tries = 0; tries < 200 && !end; ++tries) {
        HWND shown = ui::WaitForWindow(Caption, 0, 100);
        if (shown && ui::Control(shown, "&Gata")) end = shown;
    }
    ASSERT_NE(end, nullptr);
    ui::Click(ui::Control(end, "&Gata"));
    ASSERT_TRUE(ui::WaitGone(end));
    EXPECT_TRUE(WaitForPath(InProgram("DEZINST.EXE"), false));
    EXPECT_FALSE(PathExists(InProgram("KORVEN.EXE")));
    EXPECT_EQ(ReadWholeFile(InProgram("NOTE.TXT")), "the user's");
}

TEST(Uninstall, AbandonOnTheConfirmationRemovesNothing) {
    LayOutInstallation(true);
    StartKit(InProgram("DEZINST.EXE"), "/UNINSTALL", std::nullopt);
    HWND confirm = ui::WaitForWindow(Caption);
    ASSERT_NE(confirm, nullptr);
    ui::Click(ui::Control(confirm, "&Abandon"));
    ASSERT_TRUE(ui::WaitGone(confirm));
    ui::Settle(2000);
    EXPECT_EQ(ReadWholeFile(InProgram("KORVEN.EXE")), "123456789");
    EXPECT_TRUE(PathExists(InProgram("DEZINST.EXE")));
    EXPECT_TRUE(PathExists(InProgram("INSTALAT.TXT")));
}

}  // namespace
