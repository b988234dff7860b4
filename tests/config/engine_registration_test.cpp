#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "config/engine_registration.h"
#include "engine_sandbox.h"
#include "core/registry_key.h"

namespace {

constexpr char EngineKey[] = "Software\\Borland\\Database Engine";
constexpr char InstalledKey[] = "Software\\Borland\\BLW32";

using EngineRegistrationTest = EngineSandbox;

// The engine's files as the copy step leaves them, with a registration file
// that would be noticed if it were merged or rewritten.
std::string PlantRegistrationFile(const std::string& engineFolder) {
    const std::string file = engineFolder + "\\bde.reg";
    WriteBytes(file, "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Borland\\Marker]\r\n\"P\"=\"$ProgDir$\"\r\n");
    return file;
}

TEST_F(EngineRegistrationTest, AnEngineAlreadyRegisteredOnlyGainsOneUse) {
    const std::string file = PlantRegistrationFile(engineFolder);
    const std::string before = ReadBytes(file);
    MadeKey(InstalledKey);
    MadeKey(EngineKey).WriteString("UseCount", "7");

    RegisterBDE();

    EXPECT_EQ(RegistryString(EngineKey, "UseCount"), "8");
    EXPECT_EQ(ReadBytes(file), before) << "the registration file is left alone";
    EXPECT_FALSE(RegistryKeyExists("Software\\Borland\\Marker")) << "and not merged";
    EXPECT_FALSE(RegistryString(EngineKey, "DLLPATH"));
}

TEST_F(EngineRegistrationTest, AUseCountThatIsNoNumberCountsAsNone) {
    MadeKey(InstalledKey);
    RegistryKey engine = MadeKey(EngineKey);
    const DWORD seven = 7;
    const struct {
        const char* what;
        DWORD type;
        std::string data;
    } cases[] = {
        {"a number of another type", REG_DWORD, std::string(reinterpret_cast<const char*>(&seven), sizeof seven)},
        {"text", REG_SZ, std::string("sapte", 6)},
        {"digits and more", REG_SZ, std::string("7a", 3)},
        {"an empty string", REG_SZ, std::string(1, '\0')},
        {"a number too large", REG_SZ, std::string("99999999999", 12)},
    };
    for (const auto& c : cases) {
        RegSetValueExA(engine, "UseCount", 0, c.type, reinterpret_cast<const BYTE*>(c.data.data()),
                       static_cast<DWORD>(c.data.size()));
        RegisterBDE();
        EXPECT_EQ(RegistryString(EngineKey, "UseCount"), "1") << c.what;
    }
    engine.DeleteValue("UseCount");
    RegisterBDE();
    EXPECT_EQ(RegistryString(EngineKey, "UseCount"), "1") << "missing";
}

// The demo kit's registration file, through Wine's own registry editor.
TEST_F(EngineRegistrationTest, ANewEngineIsRegisteredFromItsFileWithTheRegistryEditor) {
    ASSERT_TRUE(CopyFileA(DEMO_BDE_REG, (engineFolder + "\\bde.reg").c_str(), FALSE));

    RegisterBDE();

    EXPECT_TRUE(RegistryKeyExists(InstalledKey));
    EXPECT_EQ(RegistryString(EngineKey, "DLLPATH"), engineFolder);
    EXPECT_EQ(RegistryString(EngineKey, "CONFIGFILE01"), engineFolder + "\\IDAPI32.CFG");
    EXPECT_EQ(RegistryString(EngineKey, "UseCount"), "1");
    EXPECT_EQ(RegistryString(std::string(EngineKey) + "\\Settings\\SYSTEM\\INIT", "VERSION"), "4.0");
    EXPECT_EQ(ReadBytes(engineFolder + "\\bde.reg").find("$ProgDir$"), std::string::npos);

    // The next installation finds the engine registered.
    RegisterBDE();
    EXPECT_EQ(RegistryString(EngineKey, "UseCount"), "2");
}

TEST_F(EngineRegistrationTest, AMissingRegistrationFileIsReportedByName) {
    try {
        RegisterBDE();
        FAIL() << "no error";
    } catch (const EEngineRegistration& error) {
        EXPECT_EQ(std::string(error.what()), "Nu pot citi fisierul de inregistrare " + engineFolder + "\\bde.reg");
    }
    EXPECT_FALSE(RegistryKeyExists(InstalledKey));
}

TEST_F(EngineRegistrationTest, AMissingProgramFilesFolderIsReported) {
    PlantRegistrationFile(engineFolder);
    MadeKey("Software\\Microsoft\\Windows\\CurrentVersion").DeleteValue("ProgramFilesDir");
    try {
        RegisterBDE();
        FAIL() << "no error";
    } catch (const EEngineRegistration& error) {
        EXPECT_NE(std::string(error.what()).find("ProgramFilesDir"), std::string::npos) << error.what();
        EXPECT_EQ(std::string(error.what()).rfind("Nu gasesc dosarul Program Files", 0), 0u) << error.what();
    }
}

TEST_F(EngineRegistrationTest, LoweringTheUseCountStopsAtZero) {
    MadeKey(InstalledKey);
    MadeKey(EngineKey).WriteString("UseCount", "2");

    EXPECT_EQ(LowerEngineUseCount(), 1);
    EXPECT_EQ(RegistryString(EngineKey, "UseCount"), "1");
    EXPECT_EQ(LowerEngineUseCount(), 0);
    EXPECT_EQ(LowerEngineUseCount(), 0) << "never below 0";
    EXPECT_EQ(RegistryString(EngineKey, "UseCount"), "0");
}

// A count nobody can read may still stand for installations that use the
// engine: it is answered as unknown and kept as it was.
TEST_F(EngineRegistrationTest, AUseCountThatIsNoNumberIsNeitherLoweredNorRewritten) {
    MadeKey(InstalledKey);
    RegistryKey engine = MadeKey(EngineKey);
    const DWORD seven = 7;
    const struct {
        const char* what;
        DWORD type;
        std::string data;
    } cases[] = {
        {"a number of another type", REG_DWORD, std::string(reinterpret_cast<const char*>(&seven), sizeof seven)},
        {"text", REG_SZ, std::string("sapte", 6)},
        {"digits and more", REG_SZ, std::string("7a", 3)},
        {"an empty string", REG_SZ, std::string(1, '\0')},
        {"a negative number", REG_SZ, std::string("-1", 3)},
        {"a number too large", REG_SZ, std::string("99999999999", 12)},
    };
    for (const auto& c : cases) {
        RegSetValueExA(engine, "UseCount", 0, c.type, reinterpret_cast<const BYTE*>(c.data.data()),
                       static_cast<DWORD>(c.data.size()));
        EXPECT_EQ(LowerEngineUseCount(), std::nullopt) << c.what;
        DWORD type = 0;
        char data[64] = {};
        DWORD size = sizeof data;
        ASSERT_EQ(RegQueryValueExA(engine, "UseCount", nullptr, &type, reinterpret_cast<BYTE*>(data), &size),
                  ERROR_SUCCESS);
        EXPECT_EQ(type, c.type) << c.what;
        EXPECT_EQ(std::string(data, size), c.data) << c.what;
    }
    engine.DeleteValue("UseCount");
    EXPECT_EQ(LowerEngineUseCount(), std::nullopt) << "missing";
    EXPECT_FALSE(RegistryString(EngineKey, "UseCount")) << "and not made";
}

// Registered from the demo kit's file by Wine's registry editor and taken
// back: the Borland keys are again exactly as Wine's set-up left them.
TEST_F(EngineRegistrationTest, UnregisteringLeavesTheKeysAsTheyWereBeforeTheRegistration) {
    const auto before = TakeSnapshot(HKEY_LOCAL_MACHINE, "Software\\Borland");
    const std::string initKey = std::string(EngineKey) + "\\Settings\\SYSTEM\\INIT";
    const auto winesValue = RegistryString(initKey, "SHAREDMEMLOCATION");
    InstallEngine();
    ASSERT_TRUE(RegistryKeyExists(InstalledKey));
    ASSERT_TRUE(RegistryString(EngineKey, "DLLPATH"));

    EXPECT_TRUE(UnregisterEngine());

    EXPECT_FALSE(RegistryKeyExists(InstalledKey));
    for (const char* value : {"DLLPATH", "UseCount", "CONFIGFILE01"})
        EXPECT_FALSE(RegistryString(EngineKey, value)) << value;
    EXPECT_FALSE(RegistryString(initKey, "VERSION"));
    EXPECT_EQ(RegistryString(initKey, "SHAREDMEMLOCATION"), winesValue);
    EXPECT_TRUE(TakeSnapshot(HKEY_LOCAL_MACHINE, "Software\\Borland") == before);
    EXPECT_TRUE(UnregisterEngine()) << "nothing left to take back";
}

// The store is the engine's own file: emptied by the uninstall, it goes
// with the engine; one that still names another program's alias stays.
TEST_F(EngineRegistrationTest, AnEmptiedAliasStoreGoesWithTheEngineAndOneWithAnAliasStays) {
    InstallEngine();
    const std::string store = RegistryString(EngineKey, "CONFIGFILE01").value_or("");
    ASSERT_FALSE(store.empty());
    const std::string others = "[CONTABIL]\r\nTYPE=PARADOX\r\nPATH=C:\\CONTABIL\r\n";
    WriteBytes(store, others);
    EXPECT_TRUE(UnregisterEngine());
    EXPECT_EQ(ReadBytes(store), others);

    InstallEngine();
    WriteBytes(store, "; fara aliasuri\r\n");
    EXPECT_TRUE(UnregisterEngine());
    EXPECT_EQ(GetFileAttributesA(store.c_str()), INVALID_FILE_ATTRIBUTES) << store;
}

TEST_F(EngineRegistrationTest, UnregisteringKeepsWhatOthersWroteBesideTheEngine) {
    InstallEngine();
    MadeKey(std::string(InstalledKey) + "\\Drivers").WriteString("PARADOX", "4.0");
    MadeKey(EngineKey).WriteString("Other", "kept");
    MadeKey(std::string(EngineKey) + "\\Settings\\DRIVERS\\PARADOX").WriteString("TYPE", "FILE");

    EXPECT_TRUE(UnregisterEngine());

    EXPECT_FALSE(RegistryKeyExists(InstalledKey)) << "the engine's own key goes whole";
    EXPECT_FALSE(RegistryString(EngineKey, "DLLPATH"));
    EXPECT_EQ(RegistryString(EngineKey, "Other"), "kept");
    EXPECT_EQ(RegistryString(std::string(EngineKey) + "\\Settings\\DRIVERS\\PARADOX", "TYPE"), "FILE");
}

}  // namespace
