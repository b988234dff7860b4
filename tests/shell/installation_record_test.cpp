// The installation record as a person reads it in Notepad and as the
// uninstaller reads it back: the text is written here by hand, never
// produced by the code under test.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/installation_record.h"
#include "tests/support/files.h"
#include "tests/support/scratch_folder.h"

namespace {

const std::string ServerRecord =
    "KORVEN inregistrarea instalarii 1\r\n"
    "; Scris de programul de instalare; programul de dezinstalare il citeste.\r\n"
    "KIT 3200851.09\r\n"
    "TIP SERVER\r\n"
    "PROGRAM C:\\Program Files\\Korven\r\n"
    "DATE D:\\Date firma=1\r\n"
    "MOTOR INREGISTRAT\r\n"
    "DOSARMOTOR C:\\Program Files\\Borland\\Common Files\\BDE\r\n"
    "ALIAS KORVEN=D:\\Date firma=1\\DATA\r\n"
    "ALIAS LUNAALIAS=D:\\Date firma=1\\NEW\\LUNA\r\n"
    "GRUP WinKORVEN\r\n"
    "ELEMENT Korven=C:\\Program Files\\Korven\\KORVEN.EXE\r\n"
    "DOSAR C:\\Program Files\\Korven\\HELP\r\n"
    "FISIER EXE 1048577 0A1B2C3D KORVEN.EXE\r\n"
    "FISIER DBDAT 0 FFFFFFFF DATA\\Solduri initiale.DB\r\n"
    "FISIER BDE32 4096 00000001 IDAPI32.DLL\r\n";

TEST(InstallationRecordTest, AServerRecordReadsBackFieldByFieldAndIsWrittenAsItWasRead) {
    std::string problem;
    const auto record = ParseInstallationRecord(ServerRecord, &problem);
    ASSERT_TRUE(record) << problem;
    EXPECT_EQ(record->kitVersion, "3200851.09");
    EXPECT_EQ(record->type, itServer);
    EXPECT_EQ(record->dataDir, "D:\\Date firma=1");
    EXPECT_EQ(record->engine, EngineUse::Registered);
    ASSERT_EQ(record->aliases.size(), 2u);
    EXPECT_EQ(record->aliases[0].name, "KORVEN");
    EXPECT_EQ(record->aliases[0].folder, "D:\\Date firma=1\\DATA");
    ASSERT_EQ(record->items.size(), 1u);
    EXPECT_EQ(record->items[0].caption, "Korven");
    ASSERT_EQ(record->files.size(), 3u);
    EXPECT_EQ(record->files[0].size, 1048577u);
    EXPECT_EQ(record->files[0].crc, 0x0A1B2C3Du);
    EXPECT_EQ(record->files[1].crc, 0xFFFFFFFFu);

    // Each file below its own component's folder, blanks and all.
    EXPECT_EQ(FullPathOf(*record, record->files[0]), "C:\\Program Files\\Korven\\KORVEN.EXE");
    EXPECT_EQ(FullPathOf(*record, record->files[1]), "D:\\Date firma=1\\DATA\\Solduri initiale.DB");
    EXPECT_EQ(FullPathOf(*record, record->files[2]), "C:\\Program Files\\Borland\\Common Files\\BDE\\IDAPI32.DLL");

    EXPECT_EQ(FormatInstallationRecord(*record), ServerRecord);
}

TEST(InstallationRecordTest, ALineEndedByLineFeedOnlyOrACrcInSmallLettersStillReads) {
    const auto record = ParseInstallationRecord(
        "KORVEN inregistrarea instalarii 1\nPROGRAM C:\\WinKorv\nMOTOR FOLOSIT\nFISIER HELP 12 00abcdef KORVEN.HLP\n");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->engine, EngineUse::Raised);
    ASSERT_EQ(record->files.size(), 1u);
    EXPECT_EQ(record->files[0].crc, 0x00ABCDEFu);
}

TEST(InstallationRecordTest, ARecordThatKnowsOnlyItsProgramFolderReadsBack) {
    InstallationRecord record;
    record.programDir = "C:\\WinKorv";
    std::string problem;
    const auto back = ParseInstallationRecord(FormatInstallationRecord(record), &problem);
    ASSERT_TRUE(back) << problem << "\n" << FormatInstallationRecord(record);
    EXPECT_EQ(back->programDir, "C:\\WinKorv");
    EXPECT_EQ(back->type, itNone);
    EXPECT_EQ(back->engine, EngineUse::None);
}

TEST(InstallationRecordTest, WhatIsNotARecordOfThisVersionIsRefusedWithTheReason) {
    const std::string head = "KORVEN inregistrarea instalarii 1\r\nPROGRAM C:\\WinKorv\r\n";
    const struct {
        std::string text;
        std::string reasonHolds;
    } cases[] = {
        {"", "nu este o inregistrare"},
        {"[Korven]\r\nLastUser=Master\r\n", "nu este o inregistrare"},
        {"KORVEN inregistrarea instalarii 2\r\nPROGRAM C:\\WinKorv\r\n", "versiunea inregistrarii (2)"},
        {"KORVEN inregistrarea instalarii 1\r\nKIT 1\r\n", "PROGRAM"},
        {head + "FISIER EXE 12 ABCDEF KORVEN.EXE\r\n", "linia 3"},      // a CRC of six digits
        {head + "FISIER EXE 12 0A1B2C3D\r\n", "linia 3"},               // no path
        {head + "FISIER SETUP 12 0A1B2C3D KORVEN.EXE\r\n", "linia 3"},  // no such component
        {head + "FISIER EXE -1 0A1B2C3D KORVEN.EXE\r\n", "linia 3"},
        {head + "TIP ALTUL\r\n", "linia 3"},
        {head + "MOTOR\r\n", "linia 3"},
        {head + "ALIAS =C:\\WinKorv\\DATA\r\n", "linia 3"},
        {head + "STERGE C:\\\r\n", "nu este inteleasa: STERGE C:\\"},
    };
    for (const auto& [text, reasonHolds] : cases) {
        std::string problem;
        EXPECT_FALSE(ParseInstallationRecord(text, &problem)) << text;
        EXPECT_NE(problem.find(reasonHolds), std::string::npos) << text << "\n" << problem;
    }
}

TEST(InstallationRecordTest, AnUpgradesFileTakesTheLineOfTheSamePathWhateverItsCase) {
    auto record = ParseInstallationRecord(ServerRecord);
    ASSERT_TRUE(record);
    RecordFile(*record, {"EXE", "korven.exe", 2000000, 0x12345678});
    // The same relative path below another component's folder is another file.
    RecordFile(*record, {"DBNEW", "KORVEN.EXE", 5, 6});
    RecordFolder(*record, "c:\\program files\\korven\\help");
    RecordFolder(*record, "C:\\Program Files\\Korven\\NOU");

    ASSERT_EQ(record->files.size(), 4u);
    EXPECT_EQ(record->files[0].path, "korven.exe");
    EXPECT_EQ(record->files[0].size, 2000000u);
    EXPECT_EQ(FullPathOf(*record, record->files[3]), "D:\\Date firma=1\\KORVEN.EXE");
    ASSERT_EQ(record->folders.size(), 2u);
    EXPECT_EQ(record->folders[1], "C:\\Program Files\\Korven\\NOU");
}

TEST(InstallationRecordTest, WrittenBesideTheProgramsItReplacesTheOldRecordWholeAndLeavesNoTemporaryFile) {
    ScratchFolder program("record");
    WriteBytes(program.File("INSTALAT.TXT"), std::string(10000, 'x'));
    auto record = ParseInstallationRecord(ServerRecord);
    ASSERT_TRUE(record);
    record->programDir = program.Path();

    ASSERT_TRUE(WriteInstallationRecord(*record));
    const std::string written = ReadBytes(program.File("INSTALAT.TXT"));
    EXPECT_TRUE(written.starts_with("KORVEN inregistrarea instalarii 1\r\n"));
    EXPECT_EQ(written.find('x'), std::string::npos);
    EXPECT_EQ(GetFileAttributesA(program.File("INSTALAT.TXT.NOU").c_str()), INVALID_FILE_ATTRIBUTES);

    const auto back = ReadInstallationRecord(program.Path());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->files.size(), 3u);
    EXPECT_EQ(back->programDir, program.Path());
}

TEST(InstallationRecordTest, NoProgramFolderMeansNoRecordWrittenAndNoneRead) {
    ScratchFolder scratch("record");
    InstallationRecord record;
    record.programDir = scratch.File("lipsa");
    EXPECT_FALSE(WriteInstallationRecord(record));
    std::string problem;
    EXPECT_FALSE(ReadInstallationRecord(record.programDir, &problem));
    EXPECT_NE(problem.find("INSTALAT.TXT"), std::string::npos);
}

}  // namespace
