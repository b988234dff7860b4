// The removal against a record and files each test makes in a scratch
// folder; the system steps are stand-ins that note their calls. The CRC-32
// values are the published ones for these texts, not computed here.
#include "uninstall/removal.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "core/text.h"
#include "tests/support/files.h"
#include "tests/support/scratch_folder.h"

namespace {

struct Content {
    const char* bytes;
    std::uint32_t crc;
};
const Content Nine{"123456789", 0xCBF43926};
const Content Abc{"abc", 0x352441C2};
const Content A{"a", 0xE8B7BE43};
const Content Fox{"The quick brown fox jumps over the lazy dog", 0x414FA339};

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// What the system steps were asked, and how they answer.
struct SystemCalls {
    std::vector<std::string> aliases;
    std::string group;
    int lowered = 0;
    int unregistered = 0;
    int entryRemoved = 0;
    std::int64_t useCount = 1;  // before the uninstall
    bool aliasesGo = true;

    UninstallSystemSteps Steps() {
        UninstallSystemSteps steps;
        steps.removeAliases = [this](const std::vector<std::string>& names) {
            aliases = names;
            return aliasesGo;
        };
        steps.removeProgramGroup = [this](const std::string& name) {
            group = name;
            return true;
        };
        steps.lowerEngineUseCount = [this]() -> std::optional<std::int64_t> {
            ++lowered;
            useCount = std::max<std::int64_t>(useCount - 1, 0);
            return useCount;
        };
        steps.unregisterEngine = [this] {
            ++unregistered;
            return true;
        };
        steps.removeUninstallEntry = [this] {
            ++entryRemoved;
            return true;
        };
        return steps;
    }
};

class Removal : public ::testing::Test {
protected:
    Removal() {
        record.kitVersion = "3.1";
        record.type = itLocal;
        record.programDir = program.Path();
        record.dataDir = data.Path();
        record.engine = EngineUse::Registered;
        record.engineDir = engine.Path();
        record.aliases = {{"KORVENALIAS", data.File("NEW\\DATA")}, {"KORVEN", data.File("DATA")}};
        record.group = "WinKORVEN";
        record.items = {{"Korven", program.File("KORVEN.EXE")}};
        WriteBytes(program.File("DEZINST.EXE"), "uninstaller");
    }

    // A file as the installation put it, recorded.
    void Installed(const char* component, const std::string& path, const Content& content) {
        RecordedFile file{component, path, std::string(content.bytes).size(), content.crc};
        RecordFile(record, file);
        const std::string full = FullPathOf(record, file);
        // Every level of the folders above it.
        for (auto slash = full.find('\\', 3); slash != std::string::npos; slash = full.find('\\', slash + 1))
            CreateDirectoryA(full.substr(0, slash).c_str(), nullptr);
        WriteBytes(full, content.bytes);
    }
    // A folder the installation made, recorded.
    std::string MadeFolder(const ScratchFolder& root, const std::string& relative) {
        const std::string folder = root.Make(relative);
        RecordFolder(record, folder);
        return folder;
    }

    // Writes the record, reads it back as the uninstaller does, and runs the
    // whole removal with the uninstaller's own deletion last.
    InstallationRemoval Uninstall(bool removeData) {
        EXPECT_TRUE(WriteInstallationRecord(record));
        std::string problem;
        std::optional<InstallationRecord> read = RecordForRemoval(program.Path(), problem);
        EXPECT_TRUE(read.has_value()) << problem;
        InstallationRemoval removal(*read, removeData, calls.Steps(), program.File("DEZINST.EXE"));
        std::vector<int> progress;
        removal.Run([&](int done) { progress.push_back(done); });
        EXPECT_FALSE(progress.empty());
        EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
        EXPECT_EQ(progress.back(), removal.StepCount()) << "the gauge ends full";
        removal.RemoveUninstaller();
        return removal;
    }

    ScratchFolder program{"uninstall program"};
    ScratchFolder data{"uninstall data"};
    ScratchFolder engine{"uninstall engine"};
    InstallationRecord record;
    SystemCalls calls;
};

TEST_F(Removal, TakesUnchangedFilesKeepsChangedOnesAndTheUsersOwn) {
    Installed("EXE", "KORVEN.EXE", Nine);
    Installed("EXE", "CFX32.OCX", Abc);
    const std::string sub = MadeFolder(program, "SUB");
    const std::string empty = MadeFolder(program, "GOL\\ADANC");
    Installed("HELP", "SUB\\K.HLP", A);
    Installed("HELP", "GOL\\ADANC\\K.CNT", Fox);
    RecordFile(record, {"PAYROLL", "PAYROLL.EXE", 9, Nine.crc});  // gone before the uninstall
    WriteBytes(program.File("CFX32.OCX"), "abd");                 // the user changed it
    WriteBytes(program.File("SUB\\MINE.TXT"), "mine");
    WriteBytes(program.File("NOTE.TXT"), "mine too");

    const InstallationRemoval removal = Uninstall(false);
    const RemovalOutcome& outcome = removal.Outcome();
    EXPECT_TRUE(outcome.Succeeded()) << outcome.failures.front();
    EXPECT_FALSE(Exists(program.File("KORVEN.EXE")));
    EXPECT_FALSE(Exists(program.File("SUB\\K.HLP")));
    EXPECT_FALSE(Exists(empty));
    EXPECT_TRUE(Exists(program.File("GOL"))) << "not recorded: it stays, empty or not";
    EXPECT_EQ(ReadBytes(program.File("CFX32.OCX")), "abd");
    EXPECT_EQ(outcome.changedKept, std::vector<std::string>{program.File("CFX32.OCX")});
    EXPECT_EQ(ReadBytes(program.File("SUB\\MINE.TXT")), "mine");
    EXPECT_EQ(ReadBytes(program.File("NOTE.TXT")), "mine too");
    EXPECT_TRUE(std::count(outcome.foldersKept.begin(), outcome.foldersKept.end(), sub));
    EXPECT_TRUE(std::count(outcome.foldersKept.begin(), outcome.foldersKept.end(), program.Path()));
    EXPECT_EQ(outcome.filesRemoved, 3);
    EXPECT_FALSE(Exists(program.File(InstallationRecordName)));
    EXPECT_FALSE(Exists(program.File("DEZINST.EXE")));
    EXPECT_TRUE(outcome.uninstallerRemoved);

    EXPECT_EQ(calls.group, "WinKORVEN");
    EXPECT_EQ(calls.aliases, (std::vector<std::string>{"KORVENALIAS", "KORVEN"}));
    EXPECT_EQ(calls.entryRemoved, 1);
}

TEST_F(Removal, DataStayUnlessAskedAndAClientNeverRemovesThem) {
    Installed("EXE", "KORVEN.EXE", Nine);
    MadeFolder(data, "DATA");
    Installed("DBDAT", "DATA\\CONT.DB", Abc);
    Installed("DBNEW", "NEW\\DATA\\CONT.DB", A);
    WriteBytes(data.File("DATA\\CONT.DB"), "the customer's accounts");
    WriteBytes(data.File("DATA\\FIRMA2.DB"), "another company");

    for (TInstallType type : {itLocal, itClient}) {
        record.type = type;
        const InstallationRemoval removal = Uninstall(type == itClient);
        EXPECT_TRUE(removal.Outcome().Succeeded());
        EXPECT_FALSE(removal.Outcome().dataRemoved);
        EXPECT_EQ(ReadBytes(data.File("DATA\\CONT.DB")), "the customer's accounts") << type;
        EXPECT_EQ(ReadBytes(data.File("DATA\\FIRMA2.DB")), "another company") << type;
        EXPECT_EQ(ReadBytes(data.File("NEW\\DATA\\CONT.DB")), "a") << "unchanged, but data all the same";
        EXPECT_TRUE(removal.Outcome().foldersKept.empty()) << "the data are not the user's stray files";
        EXPECT_FALSE(Exists(program.File("KORVEN.EXE")));
        CreateDirectoryA(program.Path().c_str(), nullptr);
        WriteBytes(program.File("DEZINST.EXE"), "uninstaller");
        Installed("EXE", "KORVEN.EXE", Nine);
    }
}

// The default installation: program and data in one folder. Asked to, the
// data go whole (changed files, the customer's own databases, the upgrade
// backups), and then the folder itself.
TEST_F(Removal, DataAskedForGoWholeFromAFolderSharedWithTheProgram) {
    record.dataDir = program.Path();
    record.aliases = {{"KORVEN", program.File("DATA")}};
    Installed("EXE", "KORVEN.EXE", Nine);
    MadeFolder(program, "DATA");
    MadeFolder(program, "NEW\\FIRMA");
    Installed("DBDAT", "DATA\\CONT.DB", Abc);
    Installed("DBNEW", "NEW\\FIRMA\\CONT.DB", A);
    Installed("DBNEW", "NEW\\LISTE.TXT", Fox);
    WriteBytes(program.File("DATA\\CONT.DB"), "the customer's accounts");
    WriteBytes(program.File("DATA\\FIRMA2.DB"), "another company");
    program.Make("BACKUP\\2024-01-02 03.04.05\\DATE");
    WriteBytes(program.File("BACKUP\\2024-01-02 03.04.05\\DATE\\X.DB"), "old data");

    const InstallationRemoval removal = Uninstall(true);
    EXPECT_TRUE(removal.Outcome().Succeeded()) << removal.Outcome().failures.front();
    EXPECT_TRUE(removal.Outcome().dataRemoved);
    EXPECT_FALSE(Exists(program.Path())) << "nothing of the user's was in it";
}

TEST_F(Removal, AFolderSharedWithTheDataStaysWithThemWhenTheyStay) {
    record.dataDir = program.Path();
    Installed("EXE", "KORVEN.EXE", Nine);
    MadeFolder(program, "DATA");
    Installed("DBDAT", "DATA\\CONT.DB", Abc);

    const InstallationRemoval removal = Uninstall(false);
    EXPECT_TRUE(removal.Outcome().Succeeded());
    EXPECT_EQ(ReadBytes(program.File("DATA\\CONT.DB")), "abc");
    EXPECT_FALSE(Exists(program.File("KORVEN.EXE")));
    EXPECT_FALSE(Exists(program.File("DEZINST.EXE")));
    EXPECT_TRUE(removal.Outcome().foldersKept.empty());
}

// Two installations share the engine: the first uninstall leaves it; the
// last one, whose installation registered it, takes it away.
TEST_F(Removal, TheEngineGoesWhenItsUseCountReachesZeroAndThisInstallationRegisteredIt) {
    struct Case {
        std::int64_t countBefore;
        EngineUse use;
        bool engineGoes;
    };
    for (const Case& each : {Case{2, EngineUse::Registered, false}, Case{1, EngineUse::Raised, false},
                             Case{1, EngineUse::Registered, true}}) {
        calls = SystemCalls{};
        calls.useCount = each.countBefore;
        record.engine = each.use;
        record.files.clear();
        Installed("BDE32", "IDAPI32.DLL", Nine);
        Installed("BDE32", "IDAPI32.CFG", Abc);
        WriteBytes(engine.File("IDAPI32.CFG"), "aliases added since");
        CreateDirectoryA(program.Path().c_str(), nullptr);
        WriteBytes(program.File("DEZINST.EXE"), "uninstaller");

        const InstallationRemoval removal = Uninstall(false);
        EXPECT_TRUE(removal.Outcome().Succeeded());
        EXPECT_EQ(calls.lowered, 1);
        EXPECT_EQ(calls.useCount, each.countBefore - 1);
        EXPECT_EQ(calls.unregistered, each.engineGoes ? 1 : 0);
        EXPECT_EQ(removal.Outcome().engineRemoved, each.engineGoes);
        EXPECT_EQ(Exists(engine.File("IDAPI32.DLL")), !each.engineGoes) << each.countBefore;
        EXPECT_EQ(ReadBytes(engine.File("IDAPI32.CFG")), "aliases added since") << "changed: kept";
    }
}

TEST_F(Removal, AMissingUnreadableOrForeignRecordRemovesNothing) {
    Installed("EXE", "KORVEN.EXE", Nine);
    std::string problem;
    EXPECT_FALSE(RecordForRemoval(program.Path(), problem));
    EXPECT_NE(problem.find(InstallationRecordName), std::string::npos) << problem;

    const std::string path = program.File(InstallationRecordName);
    std::string text = FormatInstallationRecord(record);
    WriteBytes(path, "KORVEN inregistrarea instalarii 2" + text.substr(text.find("\r\n")));
    EXPECT_FALSE(RecordForRemoval(program.Path(), problem));
    EXPECT_NE(problem.find("versiunea inregistrarii (2)"), std::string::npos) << problem;

    // A record copied from another program folder names files elsewhere.
    InstallationRecord other = record;
    other.programDir = data.Path();
    WriteBytes(path, FormatInstallationRecord(other));
    EXPECT_FALSE(RecordForRemoval(program.Path(), problem));
    EXPECT_NE(problem.find(data.Path()), std::string::npos) << problem;
    EXPECT_EQ(ReadBytes(program.File("KORVEN.EXE")), Nine.bytes);
}

// A program still running holds its file: the rest goes, and what is left
// stays recorded with the entry and the uninstaller, for a second run that
// neither lowers the engine's count twice nor asks for the aliases again.
TEST_F(Removal, WhatCannotBeRemovedStaysRecordedForASecondRun) {
    calls.useCount = 2;
    Installed("EXE", "KORVEN.EXE", Nine);
    Installed("EXE", "UTILITY.EXE", Abc);
    {
        HANDLE held = CreateFileA(program.File("KORVEN.EXE").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        const InstallationRemoval removal = Uninstall(false);
        CloseHandle(held);
        ASSERT_EQ(removal.Outcome().failures.size(), 1u);
        EXPECT_NE(removal.Outcome().failures[0].find("KORVEN.EXE"), std::string::npos);
        EXPECT_FALSE(Exists(program.File("UTILITY.EXE")));
        EXPECT_TRUE(Exists(program.File("DEZINST.EXE")));
        EXPECT_EQ(calls.entryRemoved, 0);
        EXPECT_EQ(calls.lowered, 1);
    }
    std::string problem;
    const std::optional<InstallationRecord> left = RecordForRemoval(program.Path(), problem);
    ASSERT_TRUE(left) << problem;
    ASSERT_EQ(left->files.size(), 1u);
    EXPECT_EQ(left->files[0].path, "KORVEN.EXE");
    EXPECT_EQ(left->engine, EngineUse::None);
    EXPECT_TRUE(left->aliases.empty());

    calls.aliases.clear();
    InstallationRemoval again(*left, false, calls.Steps(), program.File("DEZINST.EXE"));
    again.Run();
    again.RemoveUninstaller();
    EXPECT_TRUE(again.Outcome().Succeeded());
    EXPECT_EQ(calls.lowered, 1);
    EXPECT_TRUE(calls.aliases.empty());
    EXPECT_EQ(calls.entryRemoved, 1);
    EXPECT_FALSE(Exists(program.Path()));
}

}  // namespace
