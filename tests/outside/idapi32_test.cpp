// The engine library's deletion of aliases, called directly as any program
// calls it, over an alias store of its own named in the engine's key.
#include <windows.h>

#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "core/registry_key.h"
#include "interfaces/database_engine.h"
#include "tests/support/files.h"
#include "tests/support/scratch_folder.h"

namespace {

using namespace idapi;

constexpr char TwoAliases[] =
    "[FIRMA]\r\nTYPE=PARADOX\r\nPATH=C:\\Firma\r\n\r\n"
    "[KORVEN]\r\nTYPE=PARADOX\r\nPATH=C:\\WinKorv\\DATA\r\n";

class EngineLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        SetEnvironmentVariableA("KORVEN_TRACE", nullptr);
        SetEnvironmentVariableA("KORVEN_ENGINE_FAIL", nullptr);
        auto key = RegistryKey::Create(HKEY_LOCAL_MACHINE, EngineKey);
        ASSERT_TRUE(key);
        formerStore_ = key->ReadString(ConfigFileValue);
        ASSERT_TRUE(key->WriteString(ConfigFileValue, store));
        WriteBytes(store, TwoAliases);

        library_ = LoadLibraryA(ENGINE_DLL);
        ASSERT_TRUE(library_) << ENGINE_DLL;
        init = Entry<DbiInitFnProc>(DbiInitFnName);
        openDatabase = Entry<DbiOpenDatabaseProc>(DbiOpenDatabaseName);
        addAlias = Entry<DbiAddAliasProc>(DbiAddAliasName);
        deleteAlias = Entry<DbiDeleteAliasProc>(DbiDeleteAliasName);
        save = Entry<DbiCfgSaveProc>(DbiCfgSaveName);
        exit = Entry<DbiExitProc>(DbiExitName);
        ASSERT_TRUE(deleteAlias) << "exported under its plain name";
    }

    void TearDown() override {
        if (library_) {
            if (exit) exit();
            FreeLibrary(library_);
        }
        SetEnvironmentVariableA("KORVEN_TRACE", nullptr);
        SetEnvironmentVariableA("KORVEN_ENGINE_FAIL", nullptr);
        if (auto key = RegistryKey::Open(HKEY_LOCAL_MACHINE, EngineKey, KEY_READ | KEY_WRITE)) {
            if (formerStore_)
                key->WriteString(ConfigFileValue, *formerStore_);
            else
                key->DeleteValue(ConfigFileValue);
        }
    }

    template <typename Proc>
    Proc Entry(const char* name) {
        return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(library_, name)));
    }

    Result Open(const char* alias) {
        DatabaseHandle database = nullptr;
        return openDatabase(alias, nullptr, OpenReadOnly, ShareShared, nullptr, 0, nullptr, nullptr, &database);
    }

    ScratchFolder folder_{"korven engine"};
    const std::string store = folder_.File("IDAPI32.CFG");
    DbiInitFnProc init = nullptr;
    DbiOpenDatabaseProc openDatabase = nullptr;
    DbiAddAliasProc addAlias = nullptr;
    DbiDeleteAliasProc deleteAlias = nullptr;
    DbiCfgSaveProc save = nullptr;
    DbiExitProc exit = nullptr;

private:
    HMODULE library_ = nullptr;
    std::optional<std::string> formerStore_;
};

TEST_F(EngineLibrary, ADeletionReachesTheStoreOnlyWhenSaved) {
    ASSERT_EQ(init(InterfaceVersion, nullptr), Ok);

    EXPECT_EQ(deleteAlias(nullptr, "korven"), Ok) << "names ignore case";
    EXPECT_EQ(ReadBytes(store), TwoAliases) << "other programs still see it";
    EXPECT_EQ(Open("KORVEN"), ErrUnknownAlias) << "this session does not";
    EXPECT_EQ(Open("FIRMA"), ErrFolderMissing) << "the other alias is still defined";
    EXPECT_EQ(deleteAlias(nullptr, "KORVEN"), ErrUnknownAlias) << "already deleted";

    ASSERT_EQ(save(nullptr, nullptr, FALSE), Ok);
    EXPECT_EQ(ReadBytes(store), "[FIRMA]\r\nTYPE=PARADOX\r\nPATH=C:\\Firma\r\n");
    EXPECT_EQ(deleteAlias(nullptr, "KORVEN"), ErrUnknownAlias);
    EXPECT_EQ(deleteAlias(nullptr, "NICIUNUL"), ErrUnknownAlias);
}

TEST_F(EngineLibrary, AnAliasDeletedAndAddedAgainIsSavedWithItsNewFolder) {
    ASSERT_EQ(init(InterfaceVersion, nullptr), Ok);
    ASSERT_EQ(deleteAlias(nullptr, "KORVEN"), Ok);
    ASSERT_EQ(addAlias(nullptr, "KORVEN", "PARADOX", "PATH:D:\\Korven", TRUE), Ok);
    ASSERT_EQ(save(nullptr, nullptr, FALSE), Ok);
    EXPECT_EQ(ReadBytes(store),
              "[FIRMA]\r\nTYPE=PARADOX\r\nPATH=C:\\Firma\r\n\r\n[KORVEN]\r\nTYPE=PARADOX\r\nPATH=D:\\Korven\r\n");
}

TEST_F(EngineLibrary, AnAliasAddedAndDeletedInOneSessionNeverReachesTheStore) {
    ASSERT_EQ(init(InterfaceVersion, nullptr), Ok);
    ASSERT_EQ(addAlias(nullptr, "LUNA", "PARADOX", "PATH:C:\\Luna", TRUE), Ok);
    ASSERT_EQ(addAlias(nullptr, "TEMP", "PARADOX", "PATH:C:\\Temp", FALSE), Ok);
    EXPECT_EQ(deleteAlias(nullptr, "LUNA"), Ok);
    EXPECT_EQ(deleteAlias(nullptr, "TEMP"), Ok);
    EXPECT_EQ(Open("TEMP"), ErrUnknownAlias);
    ASSERT_EQ(save(nullptr, nullptr, FALSE), Ok);
    EXPECT_EQ(ReadBytes(store), TwoAliases);
}

TEST_F(EngineLibrary, RefusedDeletionsLeaveTheStoreAsItWas) {
    EXPECT_EQ(deleteAlias(nullptr, "KORVEN"), ErrNotInitialized);
    ASSERT_EQ(init(InterfaceVersion, nullptr), Ok);
    int someConfiguration = 0;
    EXPECT_EQ(deleteAlias(reinterpret_cast<ConfigHandle>(&someConfiguration), "KORVEN"), ErrInvalidHandle);
    EXPECT_EQ(deleteAlias(nullptr, nullptr), ErrInvalidArgument);
    EXPECT_EQ(deleteAlias(nullptr, ""), ErrInvalidArgument);
    SetEnvironmentVariableA("KORVEN_ENGINE_FAIL", "DbiAddAlias,DbiDeleteAlias");
    EXPECT_EQ(deleteAlias(nullptr, "KORVEN"), ErrForcedFailure);
    SetEnvironmentVariableA("KORVEN_ENGINE_FAIL", nullptr);
    ASSERT_EQ(save(nullptr, nullptr, FALSE), Ok);
    EXPECT_EQ(ReadBytes(store), TwoAliases);
}

TEST_F(EngineLibrary, EveryDeletionIsTracedWithItsArguments) {
    const std::string trace = folder_.File("trace.txt");
    SetEnvironmentVariableA("KORVEN_TRACE", trace.c_str());
    ASSERT_EQ(init(InterfaceVersion, nullptr), Ok);
    deleteAlias(nullptr, "KORVEN");
    deleteAlias(nullptr, "NICIUNUL");
    const std::string pid = "pid=" + std::to_string(GetCurrentProcessId());
    const std::string text = ReadBytes(trace);
    EXPECT_NE(text.find(pid + " DbiDeleteAlias config=null alias=\"KORVEN\" result=0\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find(pid + " DbiDeleteAlias config=null alias=\"NICIUNUL\" result=" +
                        std::to_string(ErrUnknownAlias) + "\r\n"),
              std::string::npos)
        << text;
}

}  // namespace
