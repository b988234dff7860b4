// The configuration page in-process: Next runs the three steps against our
// engine library, the prefix's CONFIG.SYS, profile and shell; a registration
// that cannot be done stops the page as Cancel with a Romanian error.
#include "core/user_interface.h"
#include "config/config_page.h"

#include <shlobj.h>

#include "config_test_support.h"
#include "engine_sandbox.h"
#include "tests/support/record_check.h"
#include "config/engine.h"
#include "config/uninstall_entry.h"
#include "framework/extctrls.h"
#include "core/files.h"
#include "core/program_path.h"
#include "core/settings.h"
#include "core/version.h"
#include "toolkit/mbutton.h"

namespace {

class ConfigPage : public EngineSandbox {
protected:
    void SetUp() override {
        EngineSandbox::SetUp();
        StartUserInterface();
        InstallSettings = TInstallSettings{};
        InstallSettings.InstallType = itLocal;
        const std::string program = root + "\\WinKorv";
        CreateDirectoryA(program.c_str(), nullptr);
        CreateDirectoryA((program + "\\DATA").c_str(), nullptr);
        WriteBytes(program + "\\KORVEN.EXE", "MZ");
        InstallSettings.ProgramDir = InstallSettings.DefaultProgramDir = program;
        InstallSettings.DataDir = InstallSettings.DefaultDataDir = program;
        char programs[MAX_PATH];
        SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, programs);
        group_ = std::string(programs) + "\\WinKORVEN";
        RemoveTree(group_);
        program_ = program;
        uninstallEntry_ = TakeSnapshot(HKEY_LOCAL_MACHINE, UninstallEntryKey);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, UninstallEntryKey);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, UninstallEntryKey);
    }
    void TearDown() override {
        RemoveTree(group_);
        PutBack(HKEY_LOCAL_MACHINE, UninstallEntryKey, uninstallEntry_);
        EngineSandbox::TearDown();
    }

    void PutEngineInPlace() {
        CopyFileA(ENGINE_DLL, (engineFolder + "\\IDAPI32.DLL").c_str(), FALSE);
        CopyFileA(DEMO_BDE_REG, (engineFolder + "\\bde.reg").c_str(), FALSE);
    }

    static std::optional<std::string> EntryValue(const char* name) { return RegistryString(UninstallEntryKey, name); }
    static std::optional<DWORD> EntryNumber(const char* name) {
        DWORD value = 0, size = sizeof value, type = 0;
        if (RegGetValueA(HKEY_LOCAL_MACHINE, UninstallEntryKey, name, RRF_RT_REG_DWORD, &type, &value, &size) !=
            ERROR_SUCCESS)
            return std::nullopt;
        return value;
    }

    // Shows the page and clicks Next once it is on the screen.
    int ClickNext(TConfig& page) {
        page.HandleNeeded();
        PostMessageA(page.BNext->Handle(), BM_CLICK, 0, 0);
        return page.ShowModal();
    }

    // The steps' sections in the log, in the order they were written.
    std::vector<std::string> Sections() const {
        std::vector<std::string> sections;
        for (const std::string& line : log_.Lines())
            if (line.starts_with("BEGIN => DoConfig") || line.starts_with("END <- DoConfig")) sections.push_back(line);
        return sections;
    }

    static bool Done(const TPanel& step) {
        return step.BevelOuter() == bvRaised && step.Font().Color() == clRed && step.Alignment() == taLeftJustify;
    }
    static bool Idle(const TPanel& step) {
        return step.BevelOuter() == bvNone && step.Font().Color() == clBlack && step.Alignment() == taRightJustify;
    }

    std::string group_;
    std::string program_;
    std::optional<KeySnapshot> uninstallEntry_;
    KeptFile configSys_{"C:\\CONFIG.SYS"};
    KeptFile winIni_{WindowsFile("win.ini")};
    CapturedLog log_;
    DialogRecorder dialogs_;
};

TEST_F(ConfigPage, OpensWithEveryStepStillToCome) {
    TConfig page(nullptr);
    EXPECT_EQ(page.ClientWidth(), 637);
    EXPECT_EQ(page.ClientHeight(), 114);
    EXPECT_EQ(page.Caption(), "Configurare sistem");
    int top = 0;
    for (const TPanel* step : {page.BBDE, page.BCFGSYS, page.BGROUP}) {
        EXPECT_TRUE(Idle(*step)) << step->Caption();
        EXPECT_EQ(step->Width(), 308);
        EXPECT_EQ(step->Height(), 18);
        EXPECT_GE(step->Top(), top + 18) << step->Caption();
        top = step->Top();
    }
    EXPECT_EQ(page.BBDE->Caption(), " Configurare BDE");
    EXPECT_EQ(page.BCFGSYS->Caption(), " Actualizare CONFIG.SYS");
    EXPECT_EQ(page.BGROUP->Caption(), " Creare grup");
}

TEST_F(ConfigPage, NextRunsTheThreeStepsInOrderAndGoesOn) {
    CopyFileA(ENGINE_DLL, (engineFolder + "\\IDAPI32.DLL").c_str(), FALSE);
    CopyFileA(DEMO_BDE_REG, (engineFolder + "\\bde.reg").c_str(), FALSE);
    TConfig page(nullptr);
    EXPECT_EQ(ClickNext(page), mrOk);
    EXPECT_TRUE(dialogs_.shown.empty());
    for (const TPanel* step : {page.BBDE, page.BCFGSYS, page.BGROUP}) EXPECT_TRUE(Done(*step)) << step->Caption();
    EXPECT_TRUE(page.BNext->Enabled());
    EXPECT_EQ(Sections(),
              (std::vector<std::string>{"BEGIN => DoConfigBDE", "END <- DoConfigBDE", "BEGIN => DoConfigConfigSys",
                                        "END <- DoConfigConfigSys", "BEGIN => DoConfigGroup", "END <- DoConfigGroup"}));
    // What each step left behind: the main alias opens on the data folder,
    // the file limit is raised, the group holds the main program.
    EXPECT_TRUE(AliasExists());
    EXPECT_NE(ReadBytes("C:\\CONFIG.SYS").find("FILES=255\r\n"), std::string::npos);
    EXPECT_NE(GetFileAttributesA((group_ + "\\Korven.lnk").c_str()), INVALID_FILE_ATTRIBUTES);
}

// After the three steps the page writes down what this installation did,
// leaves the uninstaller (the running program) in the program folder and
// KORVEN's entry in the list of installed programs.
TEST_F(ConfigPage, TheRecordTheUninstallerAndTheEntryFollowTheSteps) {
    PutEngineInPlace();
    InstallSettings.Installed.engineDir = engineFolder;
    InstallSettings.Installed.files.push_back({"EXE", "KORVEN.EXE", 2, 0x12345678});
    const std::string kitRegistration = ReadBytes(engineFolder + "\\bde.reg");
    InstallSettings.Installed.files.push_back(
        {"BDE32", "bde.reg", kitRegistration.size(), WindowsCrc32(kitRegistration)});
    TConfig page(nullptr);
    EXPECT_EQ(ClickNext(page), mrOk);
    EXPECT_TRUE(dialogs_.shown.empty());

    std::string problem;
    const std::optional<InstallationRecord> record = ReadInstallationRecord(program_, &problem);
    ASSERT_TRUE(record) << problem;
    EXPECT_EQ(FormatInstallationRecord(*record), FormatInstallationRecord(InstallSettings.Installed));
    EXPECT_EQ(record->kitVersion, KORVEN_VERSION_TEXT);
    EXPECT_EQ(record->type, itLocal);
    EXPECT_EQ(record->programDir, program_);
    EXPECT_EQ(record->engine, EngineUse::Registered);
    ASSERT_EQ(record->aliases.size(), 4u);
    EXPECT_EQ(record->aliases[0].name, "KORVENALIAS");
    EXPECT_EQ(record->aliases[0].folder, program_ + "\\NEW\\DATA");
    EXPECT_EQ(record->aliases[3].name, "KORVEN");
    EXPECT_EQ(record->aliases[3].folder, program_ + "\\DATA");
    EXPECT_EQ(record->group, "WinKORVEN");
    ASSERT_EQ(record->items.size(), 1u);
    EXPECT_EQ(record->items[0].caption, "Korven");
    EXPECT_EQ(record->items[0].path, program_ + "\\KORVEN.EXE");
    ASSERT_EQ(record->files.size(), 2u) << "the copy's files are kept";
    // The registration rewrote its file: the record knows it as it is now.
    const std::string registration = ReadBytes(engineFolder + "\\bde.reg");
    EXPECT_NE(registration, kitRegistration);
    EXPECT_EQ(record->files[1].size, registration.size());
    EXPECT_EQ(record->files[1].crc, WindowsCrc32(registration));

    EXPECT_EQ(ReadBytes(program_ + "\\DEZINST.EXE"), ReadBytes(ProgramPath()));
    EXPECT_FALSE(FileExists(program_ + "\\DEZINST.EXE.NOU"));
    EXPECT_FALSE(FileExists(program_ + "\\INSTALAT.TXT.NOU"));

    EXPECT_EQ(EntryValue("DisplayName"), "KORVEN");
    EXPECT_EQ(EntryValue("DisplayVersion"), KORVEN_VERSION_TEXT);
    EXPECT_EQ(EntryValue("InstallLocation"), program_);
    EXPECT_EQ(EntryValue("UninstallString"), "\"" + program_ + "\\DEZINST.EXE\" /UNINSTALL");
    EXPECT_EQ(EntryValue("QuietUninstallString"), "\"" + program_ + "\\DEZINST.EXE\" /UNINSTALL /UNATTENDED");
    EXPECT_EQ(EntryNumber("EstimatedSize"), (2 + registration.size() + 1023) / 1024) << "kilobytes, rounded up";
    EXPECT_EQ(EntryNumber("NoModify"), 1u);
    EXPECT_EQ(EntryNumber("NoRepair"), 1u);

    std::vector<std::string> sections;
    for (const std::string& line : log_.Lines())
        if (line.starts_with("BEGIN => ") && (!sections.empty() || line.ends_with("DoConfigBDE")))
            sections.push_back(line.substr(9));
    EXPECT_EQ(sections,
              (std::vector<std::string>{"DoConfigBDE", "DoConfigConfigSys", "DoConfigGroup", "WriteInstallationRecord",
                                        "PlaceUninstaller", "WriteUninstallEntry"}));
}

// An engine already registered only has its use count raised, and an
// alias of the same name already there is someone else's: neither is
// recorded as this installation's.
TEST_F(ConfigPage, ARaisedUseCountAndARefusedAliasAreNotRecordedAsOurs) {
    InstallEngine();
    ASSERT_TRUE(AddAliases({"FIRMAALIAS"}, {root + "\\Alta"}));
    DoneEngine();
    TConfig page(nullptr);
    EXPECT_EQ(ClickNext(page), mrOk);
    EXPECT_TRUE(dialogs_.shown.empty());

    const std::optional<InstallationRecord> record = ReadInstallationRecord(program_);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->engine, EngineUse::Raised);
    std::vector<std::string> names;
    for (const RecordedAlias& alias : record->aliases) names.push_back(alias.name);
    EXPECT_EQ(names, (std::vector<std::string>{"KORVENALIAS", "LUNAALIAS", "KORVEN"}));
}

// A record that cannot be written is told, and nothing names an
// uninstaller that would have nothing to read; KORVEN itself is installed.
TEST_F(ConfigPage, ARecordThatCannotBeWrittenIsToldAndTheInstallationStillEnds) {
    PutEngineInPlace();
    CreateDirectoryA((program_ + "\\INSTALAT.TXT").c_str(), nullptr);
    TConfig page(nullptr);
    EXPECT_EQ(ClickNext(page), mrOk);
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_NE(dialogs_.shown[0].message.find("INSTALAT.TXT"), std::string::npos) << dialogs_.shown[0].message;
    EXPECT_NE(dialogs_.shown[0].message.find("KORVEN este instalat si functioneaza"), std::string::npos)
        << dialogs_.shown[0].message;
    EXPECT_FALSE(FileExists(program_ + "\\DEZINST.EXE"));
    EXPECT_FALSE(EntryValue("DisplayName"));
    EXPECT_TRUE(AliasExists()) << "the configuration itself is done";
}

TEST_F(ConfigPage, ARegistrationThatCannotBeDoneStopsThePageAsCancel) {
    // A freshly copied engine without its registration file.
    CopyFileA(ENGINE_DLL, (engineFolder + "\\IDAPI32.DLL").c_str(), FALSE);
    WriteBytes("C:\\CONFIG.SYS", "files=30\r\n");
    TConfig page(nullptr);
    EXPECT_EQ(ClickNext(page), mrCancel);
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].caption, "Eroare...");
    EXPECT_TRUE(dialogs_.shown[0].message.starts_with("Configurarea sistemului nu s-a putut termina:\r"))
        << dialogs_.shown[0].message;
    EXPECT_NE(dialogs_.shown[0].message.find("bde.reg"), std::string::npos) << dialogs_.shown[0].message;
    // Nothing after the failed step ran, and the buttons are usable.
    for (const TPanel* step : {page.BBDE, page.BCFGSYS, page.BGROUP}) EXPECT_TRUE(Idle(*step)) << step->Caption();
    EXPECT_TRUE(page.BNext->Enabled());
    EXPECT_EQ(Sections(), (std::vector<std::string>{"BEGIN => DoConfigBDE", "END <- DoConfigBDE"}));
    EXPECT_EQ(ReadBytes("C:\\CONFIG.SYS"), "files=30\r\n");
    EXPECT_EQ(GetFileAttributesA(group_.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
