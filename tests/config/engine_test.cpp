#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "config/engine.h"
#include "config/engine_registration.h"
#include "config_test_support.h"
#include "engine_sandbox.h"
#include "core/exec_and_wait.h"
#include "interfaces/database_engine.h"

namespace {

const std::vector<std::string> AliasNames{"KORVENALIAS", "FIRMAALIAS", "LUNAALIAS", "KORVEN"};
const std::vector<std::string> AliasDirs{"NEW\\DATA", "NEW\\FIRMA", "NEW\\LUNA", "DATA"};

class EngineTest : public EngineSandbox {
protected:
    std::string DataDir() const { return root + "\\Winkorv"; }
    std::string Store() const { return engineFolder + "\\IDAPI32.CFG"; }
    std::vector<std::string> Folders() const { return AliasFolders(DataDir(), AliasDirs); }
    void MakeDataFolders() {
        for (const std::string& folder : Folders()) std::filesystem::create_directories(folder);
    }
};

// The file the engine library was loaded from, or "" when it is not loaded.
std::string LoadedEngine() {
    const HMODULE module = GetModuleHandleA("IDAPI32.DLL");
    if (!module) return "";
    char name[MAX_PATH];
    return std::string(name, GetModuleFileNameA(module, name, sizeof name));
}

// The library's entry points, loaded from the engine folder as any program
// could load them; freed at the end.
struct EngineCalls {
    explicit EngineCalls(const std::string& folder) : library(LoadLibraryA((folder + "\\IDAPI32.DLL").c_str())) {
        auto entry = [this](const char* name) { return reinterpret_cast<void*>(GetProcAddress(library, name)); };
        init = reinterpret_cast<idapi::DbiInitFnProc>(entry(idapi::DbiInitFnName));
        addAlias = reinterpret_cast<idapi::DbiAddAliasProc>(entry(idapi::DbiAddAliasName));
        save = reinterpret_cast<idapi::DbiCfgSaveProc>(entry(idapi::DbiCfgSaveName));
        exit = reinterpret_cast<idapi::DbiExitProc>(entry(idapi::DbiExitName));
    }
    ~EngineCalls() {
        if (library) FreeLibrary(library);
    }
    EngineCalls(const EngineCalls&) = delete;
    EngineCalls& operator=(const EngineCalls&) = delete;

    HMODULE library;
    idapi::DbiInitFnProc init = nullptr;
    idapi::DbiAddAliasProc addAlias = nullptr;
    idapi::DbiCfgSaveProc save = nullptr;
    idapi::DbiExitProc exit = nullptr;
};

TEST_F(EngineTest, WithoutAnEngineNoAliasExistsUntilTheEngineIsRegistered) {
    EXPECT_FALSE(AliasExists());
    EXPECT_FALSE(InitEngine()) << "the engine-ready flag stays clear";

    InstallEngine();
    MakeDataFolders();
    EXPECT_FALSE(AliasExists()) << "registered, but no alias yet";
    EXPECT_TRUE(AddAliases(AliasNames, Folders()));
    EXPECT_TRUE(AliasExists());
    EXPECT_EQ(LoadedEngine(), engineFolder + "\\IDAPI32.DLL") << "found through DLLPATH";
}

TEST_F(EngineTest, TheFourAliasesAreSavedToTheStore) {
    InstallEngine();
    EXPECT_TRUE(AddAliases(AliasNames, Folders()));
    const std::string d = DataDir();
    EXPECT_EQ(ReadBytes(Store()), "[KORVENALIAS]\r\nTYPE=PARADOX\r\nPATH=" + d +
                                      "\\NEW\\DATA\r\n\r\n"
                                      "[FIRMAALIAS]\r\nTYPE=PARADOX\r\nPATH=" +
                                      d +
                                      "\\NEW\\FIRMA\r\n\r\n"
                                      "[LUNAALIAS]\r\nTYPE=PARADOX\r\nPATH=" +
                                      d +
                                      "\\NEW\\LUNA\r\n\r\n"
                                      "[KORVEN]\r\nTYPE=PARADOX\r\nPATH=" +
                                      d + "\\DATA\r\n");
}

// The main alias opens only when it is defined and its folder is there.
TEST_F(EngineTest, TheMainDatabaseOpensOnlyWithItsAliasAndItsFolder) {
    InstallEngine();
    const std::vector<std::string> folders = Folders();
    MakeDataFolders();
    ASSERT_TRUE(AddAliases({AliasNames.begin(), AliasNames.begin() + 3}, {folders.begin(), folders.begin() + 3}));
    EXPECT_FALSE(AliasExists()) << "no KORVEN alias";

    std::filesystem::remove(folders[3]);
    ASSERT_TRUE(AddAliases({"KORVEN"}, {folders[3]}));
    EXPECT_FALSE(AliasExists()) << "the folder is missing";

    std::filesystem::create_directories(folders[3]);
    EXPECT_TRUE(AliasExists());
    // Another session (the next run of the installer) finds it in the store.
    DoneEngine();
    EXPECT_TRUE(AliasExists());
}

TEST_F(EngineTest, AnExistingAliasKeepsItsFolderWhileTheOthersAreAdded) {
    InstallEngine();
    OpenLog();
    const std::string former = root + "\\Alta";
    ASSERT_TRUE(AddAliases({"KORVENALIAS"}, {former}));
    DoneEngine();

    EXPECT_FALSE(AddAliases(AliasNames, Folders()));

    const std::string store = ReadBytes(Store());
    EXPECT_NE(store.find("[KORVENALIAS]\r\nTYPE=PARADOX\r\nPATH=" + former + "\r\n"), std::string::npos) << store;
    EXPECT_EQ(store.find(DataDir() + "\\NEW\\DATA"), std::string::npos) << store;
    for (const char* alias : {"[FIRMAALIAS]", "[LUNAALIAS]", "[KORVEN]"})
        EXPECT_NE(store.find(alias), std::string::npos) << alias;
    EXPECT_NE(LogText().find("DbiAddAlias KORVENALIAS: cod " + std::to_string(idapi::ErrAliasExists)),
              std::string::npos)
        << LogText();
}

TEST_F(EngineTest, ListsOfDifferentLengthsDoNothing) {
    InstallEngine();
    EXPECT_FALSE(AddAliases(AliasNames, {root}));
    EXPECT_EQ(GetFileAttributesA(Store().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(EngineTest, AnEngineInTheCurrentFolderComesBeforeTheRegisteredOne) {
    InstallEngine();
    ASSERT_TRUE(CopyFileA(ENGINE_DLL, (workFolder + "\\IDAPI32.DLL").c_str(), FALSE));
    EXPECT_TRUE(InitEngine());
    EXPECT_EQ(LoadedEngine(), workFolder + "\\IDAPI32.DLL");
    DoneEngine();
    EXPECT_EQ(LoadedEngine(), "") << "the library is freed";
}

TEST_F(EngineTest, AFailedInitialisationIsNotedAndTriedAgainNextTime) {
    InstallEngine();
    OpenLog();
    SetEnvironmentVariableA("KORVEN_ENGINE_FAIL", "DbiCfgSave,DbiInitFn");
    EXPECT_FALSE(AddAliases(AliasNames, Folders()));
    EXPECT_NE(LogText().find("DbiInitFn: cod " + std::to_string(idapi::ErrForcedFailure)), std::string::npos)
        << LogText();

    SetEnvironmentVariableA("KORVEN_ENGINE_FAIL", "DbiCfgSave");
    EXPECT_FALSE(AddAliases(AliasNames, Folders())) << "the save fails";
    EXPECT_NE(LogText().find("DbiCfgSave: cod " + std::to_string(idapi::ErrForcedFailure)), std::string::npos);
    EXPECT_EQ(GetFileAttributesA(Store().c_str()), INVALID_FILE_ATTRIBUTES);

    SetEnvironmentVariableA("KORVEN_ENGINE_FAIL", nullptr);
    DoneEngine();
    EXPECT_TRUE(AddAliases(AliasNames, Folders()));
}

TEST_F(EngineTest, TheEngineTracesEveryCallWithItsArguments) {
    InstallEngine();
    MakeDataFolders();
    ASSERT_TRUE(AddAliases({"KORVEN"}, {Folders()[3]}));
    const std::string trace = root + "\\trace.txt";
    SetEnvironmentVariableA("KORVEN_TRACE", trace.c_str());
    ASSERT_TRUE(AliasExists());
    DoneEngine();

    const std::string text = ReadBytes(trace);
    const std::string pid = "pid=" + std::to_string(GetCurrentProcessId());
    EXPECT_NE(text.find(pid + " DbiOpenDatabase name=\"KORVEN\" type=null openMode=1 shareMode=0 password=null "
                              "optionalCount=0 optionalDescriptors=null optionalValues=null database="),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(pid + " DbiCloseDatabase database="), std::string::npos) << text;
    EXPECT_NE(text.find(pid + " DbiExit result=0\r\n"), std::string::npos) << text;
    size_t lines = 0;
    for (size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; at += 2) ++lines;
    EXPECT_EQ(lines, 3u) << text;
}

// Removing the application's aliases: the store keeps another program's
// alias byte for byte, and the engine is let go so that its files can be
// removed.
TEST_F(EngineTest, RemovingTheAliasesSavesTheStoreWithTheOthersKept) {
    InstallEngine();
    MakeDataFolders();
    ASSERT_TRUE(AddAliases({"ALTAFIRMA"}, {root + "\\Alta"}));
    ASSERT_TRUE(AddAliases(AliasNames, Folders()));
    DoneEngine();

    EXPECT_TRUE(RemoveAliases(AliasNames));

    EXPECT_EQ(ReadBytes(Store()), "[ALTAFIRMA]\r\nTYPE=PARADOX\r\nPATH=" + root + "\\Alta\r\n");
    EXPECT_EQ(LoadedEngine(), "") << "the library is freed";
    EXPECT_FALSE(AliasExists()) << "a new session finds no KORVEN alias";
}

TEST_F(EngineTest, AnAliasThatIsNotThereCountsAsRemoved) {
    InstallEngine();
    OpenLog();
    ASSERT_TRUE(AddAliases({"korven"}, {Folders()[3]}));

    EXPECT_TRUE(RemoveAliases(AliasNames)) << "three were never added; KORVEN goes whatever its case";

    EXPECT_EQ(ReadBytes(Store()), "");
    EXPECT_NE(LogText().find("DbiDeleteAlias LUNAALIAS: aliasul nu exista"), std::string::npos) << LogText();
    EXPECT_TRUE(RemoveAliases(AliasNames)) << "a second uninstall finds nothing to remove";
}

TEST_F(EngineTest, AFailingEngineKeepsTheAliasesAndSaysSo) {
    EXPECT_FALSE(RemoveAliases(AliasNames)) << "no engine on the computer";

    InstallEngine();
    ASSERT_TRUE(AddAliases(AliasNames, Folders()));
    DoneEngine();
    const std::string saved = ReadBytes(Store());
    OpenLog();

    SetEnvironmentVariableA("KORVEN_ENGINE_FAIL", "DbiDeleteAlias");
    EXPECT_FALSE(RemoveAliases(AliasNames));
    EXPECT_EQ(ReadBytes(Store()), saved);
    EXPECT_NE(LogText().find("DbiDeleteAlias KORVEN: cod " + std::to_string(idapi::ErrForcedFailure)),
              std::string::npos)
        << LogText();

    SetEnvironmentVariableA("KORVEN_ENGINE_FAIL", "DbiCfgSave");
    EXPECT_FALSE(RemoveAliases(AliasNames)) << "deleted, but not saved";
    EXPECT_EQ(ReadBytes(Store()), saved);

    SetEnvironmentVariableA("KORVEN_ENGINE_FAIL", "DbiInitFn");
    EXPECT_FALSE(RemoveAliases(AliasNames));
    EXPECT_EQ(ReadBytes(Store()), saved);

    SetEnvironmentVariableA("KORVEN_ENGINE_FAIL", nullptr);
    EXPECT_TRUE(RemoveAliases(AliasNames));
    EXPECT_EQ(ReadBytes(Store()), "");
}

TEST_F(EngineTest, AStoreThatCannotBeReadIsNotEmptiedByARemoval) {
    InstallEngine();
    const FailingLink link(Store());
    ASSERT_TRUE(link.Made()) << Store();
    EXPECT_FALSE(RemoveAliases(AliasNames));
    EXPECT_TRUE(StillTheFailingLink(Store())) << "the store was written over";
}

// Started as a program of its own by the test below: it starts the engine
// and ends without ending it.
TEST(EngineChild, DISABLED_StartsTheEngineAndEnds) { EXPECT_TRUE(InitEngine()); }

TEST_F(EngineTest, TheEngineEndsWithTheProgram) {
    InstallEngine();
    const std::string trace = root + "\\trace.txt";
    SetEnvironmentVariableA("KORVEN_TRACE", trace.c_str());
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, sizeof program);
    ASSERT_EQ(
        ExecAndWait("\"" + std::string(program) +
                        "\" --gtest_also_run_disabled_tests --gtest_filter=EngineChild.DISABLED_StartsTheEngineAndEnds",
                    SW_HIDE),
        0);
    const std::string text = ReadBytes(trace);
    const auto init = text.find(" DbiInitFn version=500 environment=null result=0\r\n");
    ASSERT_NE(init, std::string::npos) << text;
    EXPECT_NE(text.find(" DbiExit result=0\r\n", init), std::string::npos) << text;
}

// The library's own rules, called directly as any program could.
TEST_F(EngineTest, TheLibraryRefusesCallsBeforeItsInitialisationAndKeepsAddsUntilSaved) {
    InstallEngine();
    const EngineCalls engine(engineFolder);
    ASSERT_TRUE(engine.library);
    const auto init = engine.init;
    const auto addAlias = engine.addAlias;
    const auto save = engine.save;
    const auto exit = engine.exit;

    EXPECT_NE(addAlias(nullptr, "A", "PARADOX", "PATH:C:\\A", TRUE), idapi::Ok);
    EXPECT_NE(exit(), idapi::Ok);
    EXPECT_NE(init(499, nullptr), idapi::Ok);
    ASSERT_EQ(init(idapi::InterfaceVersion, nullptr), idapi::Ok);
    EXPECT_EQ(addAlias(nullptr, "A", "PARADOX", "PATH:C:\\A", TRUE), idapi::Ok);
    EXPECT_NE(addAlias(nullptr, "a", "PARADOX", "PATH:C:\\B", TRUE), idapi::Ok) << "names ignore case";
    EXPECT_NE(addAlias(nullptr, "B", "PARADOX", "C:\\B", TRUE), idapi::Ok) << "no PATH";
    EXPECT_NE(addAlias(nullptr, "B]", "PARADOX", "PATH:C:\\B", TRUE), idapi::Ok) << "not a name the store can hold";
    EXPECT_EQ(GetFileAttributesA(Store().c_str()), INVALID_FILE_ATTRIBUTES) << "nothing saved yet";
    EXPECT_EQ(save(nullptr, nullptr, FALSE), idapi::Ok);
    EXPECT_EQ(ReadBytes(Store()), "[A]\r\nTYPE=PARADOX\r\nPATH=C:\\A\r\n");
    EXPECT_EQ(exit(), idapi::Ok);
}

// A store that fails part-way through its reading is unreadable: saved
// over, its first part (here nothing) would replace every alias in it.
TEST_F(EngineTest, AStoreThatCannotBeReadIsNeitherUsedNorWrittenOver) {
    InstallEngine();
    const FailingLink link(Store());
    ASSERT_TRUE(link.Made()) << Store();
    const EngineCalls engine(engineFolder);
    ASSERT_TRUE(engine.library);
    const auto init = engine.init;
    const auto addAlias = engine.addAlias;
    const auto save = engine.save;
    const auto exit = engine.exit;

    ASSERT_EQ(init(idapi::InterfaceVersion, nullptr), idapi::Ok);
    EXPECT_EQ(addAlias(nullptr, "A", "PARADOX", "PATH:C:\\A", TRUE), idapi::ErrStoreUnreadable);
    EXPECT_EQ(save(nullptr, nullptr, FALSE), idapi::ErrStoreUnreadable);
    EXPECT_TRUE(StillTheFailingLink(Store())) << "the store was written over";
    EXPECT_EQ(exit(), idapi::Ok);
}

}  // namespace
