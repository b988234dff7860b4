#include <windows.h>
#include <shellapi.h>

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "shell/unattended_switches.h"

namespace {

// The words a program gets for this command line, split as Windows splits
// it; the program's own name comes first and is dropped.
std::vector<std::string> Split(const std::string& commandLine) {
    const std::wstring wide(commandLine.begin(), commandLine.end());
    int count = 0;
    LPWSTR* words = CommandLineToArgvW((L"INSTALL.EXE " + wide).c_str(), &count);
    std::vector<std::string> result;
    for (int i = 1; i < count; ++i) {
        const std::wstring word = words[i];
        result.emplace_back(word.begin(), word.end());
    }
    LocalFree(words);
    return result;
}

std::map<std::string, std::string> Files;

std::optional<std::string> FromFiles(const std::string& path) {
    const auto found = Files.find(path);
    if (found == Files.end()) return std::nullopt;
    return found->second;
}

TSwitches Parse(const std::string& commandLine) { return ParseSwitches(Split(commandLine), FromFiles); }

void ExpectAnswers(const TSwitches& parsed, TInstallType type, const std::string& program, const std::string& data,
                   bool restart, bool serverUpgrade) {
    EXPECT_EQ(parsed.Refusal, "");
    EXPECT_TRUE(parsed.Answers.Active);
    EXPECT_EQ(parsed.Answers.Type, type);
    EXPECT_EQ(parsed.Answers.ProgramDir, program);
    EXPECT_EQ(parsed.Answers.DataDir, data);
    EXPECT_EQ(parsed.Answers.Restart, restart);
    EXPECT_EQ(parsed.Answers.ServerUpgrade, serverUpgrade);
}

TEST(UnattendedSwitches, NoSwitchLeavesEverythingAsAPersonKnowsIt) {
    for (const char* line : {"", "-log -log", "-log", "x -log", "-LOG -LOG"}) {
        const TSwitches parsed = Parse(line);
        EXPECT_EQ(parsed.Refusal, "") << line;
        EXPECT_FALSE(parsed.Answers.Active) << line;
        EXPECT_FALSE(parsed.HelpAsked) << line;
    }
}

TEST(UnattendedSwitches, MissingAnswersTakeTheWizardsDefaults) {
    ExpectAnswers(Parse("/UNATTENDED"), itLocal, "C:\\WinKorv", "C:\\WinKorv", false, false);
    ExpectAnswers(Parse("-log -log /UNATTENDED"), itLocal, "C:\\WinKorv", "C:\\WinKorv", false, false);
}

TEST(UnattendedSwitches, NamesAndValuesIgnoreCaseInAnyOrderFoldersStayAsGiven) {
    ExpectAnswers(Parse("/unattended /type=server /Dir=D:\\Korv /DATA=E:\\Date /restart=Yes /ServerUpgrade=yes"),
                  itServer, "D:\\Korv", "E:\\Date", true, true);
    ExpectAnswers(Parse("/SERVERUPGRADE=NO /DATA=E:\\Date /RESTART=no /DIR=D:\\Korv /TYPE=Client /Unattended"),
                  itClient, "D:\\Korv", "E:\\Date", false, false);
    ExpectAnswers(Parse("/UNATTENDED /DIR=D:\\korv\\ /DATA=\\\\server\\share\\korv"), itLocal, "D:\\korv",
                  "\\\\server\\share\\korv", false, false);
    ExpectAnswers(Parse("/UNATTENDED /DIR=D:\\"), itLocal, "D:\\", "C:\\WinKorv", false, false);
    EXPECT_TRUE(Parse("/UNATTENDED").Answers.Rollback) << "a failed upgrade is put back unless told otherwise";
    EXPECT_FALSE(Parse("/UNATTENDED /rollback=no").Answers.Rollback);
    EXPECT_TRUE(Parse("/UNATTENDED /ROLLBACK=Yes").Answers.Rollback);
    EXPECT_FALSE(Parse("/UNATTENDED /ROLLBACK=poate").Refusal.empty());
}

TEST(UnattendedSwitches, FoldersWithBlanksAsAShellQuotesThem) {
    ExpectAnswers(Parse("/UNATTENDED \"/DIR=C:\\Program Files\\Korven\" /DATA=\"D:\\Date Korven\""), itLocal,
                  "C:\\Program Files\\Korven", "D:\\Date Korven", false, false);
}

// The kit hands the answers on to the work copy on its command line: what
// the work copy reads back must be what the kit read.
TEST(UnattendedSwitches, AnswersHandedToTheWorkCopyReadBackTheSame) {
    TUnattendedAnswers answers;
    answers.Active = true;
    answers.Type = itClient;
    answers.ProgramDir = "C:\\Program Files\\Korv \"x\"";
    answers.DataDir = "N:\\";
    answers.Restart = true;
    answers.Rollback = false;
    const TSwitches parsed = Parse("-log -log -log -log " + SwitchesForWorkCopy(answers));
    ExpectAnswers(parsed, itClient, answers.ProgramDir, "N:\\", true, false);
    EXPECT_FALSE(parsed.Answers.Rollback) << "/ROLLBACK=NO is not handed on";
    ExpectAnswers(Parse(SwitchesForWorkCopy(TSwitches{}.Answers) + " /UNATTENDED"), itLocal, "C:\\WinKorv",
                  "C:\\WinKorv", false, false);
    EXPECT_EQ(Split(QuoteArgument("a\\\\ b\\")), std::vector<std::string>{"a\\\\ b\\"});
    EXPECT_EQ(Split(QuoteArgument("")), std::vector<std::string>{""});
}

TEST(UnattendedSwitches, AnswersFileFillsWhatTheCommandLineLeavesOpen) {
    Files["C:\\raspunsuri.ini"] =
        "; pentru calculatoarele din contabilitate\r\n"
        "[Altceva]\r\nTYPE=SERVER\r\n"
        "[instalare]\r\n"
        "  Type = client \r\n"
        "DIR=\"D:\\Program Korven\"\r\n"
        "\r\n"
        "DATA=N:\\Korven\r\n"
        "SERVERUPGRADE=YES\r\n";
    ExpectAnswers(Parse("/UNATTENDED /ANSWERS=C:\\raspunsuri.ini"), itClient, "D:\\Program Korven", "N:\\Korven", false,
                  true);
    ExpectAnswers(Parse("/TYPE=LOCAL /ANSWERS=C:\\raspunsuri.ini /UNATTENDED /DATA=C:\\Date /SERVERUPGRADE=NO"),
                  itLocal, "D:\\Program Korven", "C:\\Date", false, false);
    // A value of the file that the command line overrides is never looked at.
    Files["C:\\gresit.ini"] = "[Instalare]\nTYPE=ORICE\n";
    ExpectAnswers(Parse("/UNATTENDED /ANSWERS=C:\\gresit.ini /TYPE=SERVER"), itServer, "C:\\WinKorv", "C:\\WinKorv",
                  false, false);
}

TEST(UnattendedSwitches, HelpIsAskedWithSlashQuestionMark) {
    EXPECT_TRUE(Parse("/?").HelpAsked);
    EXPECT_TRUE(Parse("-log -log /UNATTENDED /?").HelpAsked);
    EXPECT_EQ(Parse("/?").Refusal, "");
}

// Each refusal names what it refuses, and nothing runs unattended.
TEST(UnattendedSwitches, RefusalsNameTheSwitch) {
    Files["C:\\fara.ini"] = "[General]\r\nTYPE=LOCAL\r\n";
    Files["C:\\cheie.ini"] = "[Instalare]\r\nPAROLA=x\r\n";
    Files["C:\\valoare.ini"] = "[Instalare]\r\nRESTART=poate\r\n";
    Files["C:\\dublu.ini"] = "[Instalare]\r\nDIR=C:\\A\r\ndir=C:\\B\r\n";
    const std::pair<const char*, const char*> cases[] = {
        {"/UNATTENDED /SILENT", "/SILENT"},
        {"/UNATTENDED /TYPE=BOGUS", "/TYPE nu accepta valoarea \"BOGUS\""},
        {"/UNATTENDED /TYPE", "/TYPE cere o valoare"},
        {"/UNATTENDED /RESTART=1", "/RESTART nu accepta valoarea \"1\""},
        {"/UNATTENDED /SERVERUPGRADE=DA", "/SERVERUPGRADE nu accepta valoarea \"DA\""},
        {"/UNATTENDED /DIR=", "/DIR cere un folder complet"},
        {"/UNATTENDED /DATA=Korven", "/DATA cere un folder complet"},
        {"/UNATTENDED=YES", "/UNATTENDED nu primeste o valoare"},
        {"/UNATTENDED /TYPE=LOCAL /type=SERVER", "/TYPE este data de doua ori"},
        {"/UNATTENDED /ANSWERS=C:\\lipsa.ini", "Nu pot citi fisierul de raspunsuri C:\\lipsa.ini"},
        {"/UNATTENDED /ANSWERS=", "/ANSWERS cere numele"},
        {"/UNATTENDED /ANSWERS=C:\\fara.ini", "C:\\fara.ini nu are sectiunea [Instalare]"},
        {"/UNATTENDED /ANSWERS=C:\\cheie.ini", "linie necunoscuta: \"PAROLA=x\""},
        {"/UNATTENDED /ANSWERS=C:\\valoare.ini", "Cheia RESTART din fisierul de raspunsuri C:\\valoare.ini"},
        {"/UNATTENDED /ANSWERS=C:\\dublu.ini", "da cheia DIR de doua ori"},
        {"/UNATTENDED -log -log", "-log -log se da inaintea"},
        {"/TYPE=SERVER", "numai impreuna cu /UNATTENDED"},
        {"/ANSWERS=C:\\dublu.ini", "C:\\dublu.ini"},
    };
    for (const auto& [line, part] : cases) {
        const TSwitches parsed = Parse(line);
        EXPECT_NE(parsed.Refusal.find(part), std::string::npos) << line << " -> " << parsed.Refusal;
        EXPECT_FALSE(parsed.Answers.Active) << line;
    }
    EXPECT_TRUE(Parse("/UNATTENDED /TYPE=BOGUS").UnattendedGiven);
    EXPECT_FALSE(Parse("/TYPE=BOGUS").UnattendedGiven);
}

// The uninstaller: DEZINST.EXE /UNINSTALL, as the list of installed programs
// starts it, and its command without questions.
TEST(UninstallSwitches, UninstallWithAndWithoutAPerson) {
    const TSwitches person = Parse("/UNINSTALL");
    EXPECT_EQ(person.Refusal, "");
    EXPECT_TRUE(person.Uninstall);
    EXPECT_FALSE(person.Answers.Active);
    EXPECT_FALSE(Parse("/UNATTENDED").Uninstall);

    const TSwitches quiet = Parse("/uninstall /Unattended");
    EXPECT_EQ(quiet.Refusal, "");
    EXPECT_TRUE(quiet.Uninstall);
    EXPECT_TRUE(quiet.Answers.Active);
    EXPECT_FALSE(quiet.Answers.RemoveData) << "the data stay unless asked";
    EXPECT_TRUE(Parse("-log -log /UNINSTALL /UNATTENDED /removedata=Yes").Answers.RemoveData);
    EXPECT_FALSE(Parse("/UNINSTALL /UNATTENDED /REMOVEDATA=no").Answers.RemoveData);
}

// The start-up hands the answers to its temporary copy: it must read back
// the same.
TEST(UninstallSwitches, TheTemporaryCopyReadsBackTheSameAnswers) {
    TUnattendedAnswers answers;
    EXPECT_FALSE(Parse(SwitchesForUninstallCopy(answers)).Answers.Active);
    EXPECT_TRUE(Parse(SwitchesForUninstallCopy(answers)).Uninstall);
    answers.Active = true;
    for (bool removeData : {false, true}) {
        answers.RemoveData = removeData;
        const TSwitches parsed = Parse("-log -log -log -log " + SwitchesForUninstallCopy(answers));
        EXPECT_EQ(parsed.Refusal, "");
        EXPECT_TRUE(parsed.Uninstall);
        EXPECT_TRUE(parsed.Answers.Active);
        EXPECT_EQ(parsed.Answers.RemoveData, removeData);
    }
}

TEST(UninstallSwitches, RefusalsNameTheSwitch) {
    Files["C:\\raspunsuri.ini"] = "[Instalare]\r\nTYPE=LOCAL\r\n";
    const std::pair<const char*, const char*> cases[] = {
        {"/UNINSTALL /UNATTENDED /TYPE=LOCAL", "/TYPE nu se foloseste impreuna cu /UNINSTALL"},
        {"/UNINSTALL /UNATTENDED /DIR=C:\\WinKorv", "/DIR nu se foloseste impreuna cu /UNINSTALL"},
        {"/UNINSTALL /UNATTENDED /ROLLBACK=NO", "/ROLLBACK nu se foloseste impreuna cu /UNINSTALL"},
        {"/UNINSTALL /UNATTENDED /ANSWERS=C:\\raspunsuri.ini", "/ANSWERS nu se foloseste impreuna cu /UNINSTALL"},
        {"/UNATTENDED /REMOVEDATA=YES", "/REMOVEDATA se foloseste numai impreuna cu /UNINSTALL"},
        {"/UNINSTALL /REMOVEDATA=YES", "numai impreuna cu /UNATTENDED"},
        {"/UNINSTALL /UNATTENDED /REMOVEDATA=DA", "/REMOVEDATA nu accepta valoarea \"DA\""},
        {"/UNINSTALL /UNATTENDED /REMOVEDATA", "/REMOVEDATA cere o valoare"},
        {"/UNINSTALL=YES /UNATTENDED", "/UNINSTALL nu primeste o valoare"},
        {"/UNINSTALL /UNATTENDED /REMOVEDATA=NO /REMOVEDATA=YES", "/REMOVEDATA este data de doua ori"},
    };
    for (const auto& [line, part] : cases) {
        const TSwitches parsed = Parse(line);
        EXPECT_NE(parsed.Refusal.find(part), std::string::npos) << line << " -> " << parsed.Refusal;
        EXPECT_FALSE(parsed.Answers.Active) << line;
    }
}

TEST(UninstallSwitches, HelpNamesTheUninstallerAndItsSwitches) {
    const std::string help = SwitchesHelpText();
    for (const char* part : {"DEZINST.EXE /UNINSTALL", "/UNATTENDED", "/REMOVEDATA=NO|YES", "dezinstalat"})
        EXPECT_NE(help.find(part), std::string::npos) << part;
}

}  // namespace
