// The configuration page in-process: Next runs the three steps against our
// engine library, the prefix's CONFIG.SYS, profile and shell; a registration
// that cannot be done stops the page as Cancel with a Romanian error.
#include "core/user_interface.h"
#include "config/config_page.h"

#include <shlobj.h>

#include "config_test_support.h"
#include "engine_sandbox.h"
#include "config/engine.h"
#include "framework/extctrls.h"
#include "core/settings.h"
#include "toolkit/mbutton.h"

namespace {

class ConfigPage : public EngineSandbox {
protected:
    void SetUp() override {
        EngineSandbox::SetUp();
        StartUserInterface();
        InstallSettings = TInstallSettings{};
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
    }
    void TearDown() override {
        RemoveTree(group_);
        EngineSandbox::TearDown();
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
