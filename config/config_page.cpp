#include "config/config_page.h"

#include "config/config_sys.h"
#include "config/engine.h"
#include "config/engine_registration.h"
#include "config/program_group.h"
#include "core/report_failure.h"
#include "core/debug_log.h"
#include "framework/application.h"
#include "framework/extctrls.h"
#include "core/settings.h"
#include "toolkit/mbutton.h"
#include "toolkit/nice_button.h"
#include "toolkit/step_panel.h"

#include <vector>

namespace {

const char* const kConfigSysPath = "C:\\CONFIG.SYS";

// A step's section in the log, closed however the step ends, so that the
// sections after it keep their depth.
class LogSection {
public:
    explicit LogSection(std::string name) : name_(std::move(name)) { DebugBegin(name_); }
    ~LogSection() { DebugEnd(name_); }
    LogSection(const LogSection&) = delete;
    LogSection& operator=(const LogSection&) = delete;

private:
    std::string name_;
};

void ReportStoppedConfiguration(const std::string& reason) {
    ReportFailure("Exceptie la configurare: " + reason, "Configurarea sistemului nu s-a putut termina:\r" + reason,
                  {"Eroare..."});
}

}  // namespace

const ClassInfo& TConfig::StaticClass() {
    static const ClassInfo info = ClassBuilder<TConfig>("TConfig", &TTitleForm::StaticClass()).Build();
    return info;
}

TConfig::TConfig(TComponent* owner) : TTitleForm(owner) {
    PublishField("BBDE", BBDE);
    PublishField("BCFGSYS", BCFGSYS);
    PublishField("BGROUP", BGROUP);
    PublishField("BBack", BBack);
    PublishField("BNext", BNext);
    PublishField("Bevel1", Bevel1);
    PublishField("BCancel", BCancel);
    PublishMethod("FormCreate", &TConfig::FormCreate);
    PublishMethod("BNextClick", &TConfig::BNextClick);
    LoadForm("TConfig");
}

void TConfig::FormCreate(TObject*) {
    for (TPanel* step : {BBDE, BCFGSYS, BGROUP}) SetStepIdle(*step);
}

void TConfig::BNextClick(TObject*) {
    BNext->SetEnabled(false);
    // A program that is quitting (a step's message ended the installation)
    // runs no further step.
    const auto quitting = [] { return Application().Terminated(); };
    try {
        DoConfigBDE();
        SetStepDone(*BBDE);
        if (!quitting()) DoConfigConfigSys();
        if (!quitting()) SetStepDone(*BCFGSYS);
        if (!quitting()) DoConfigGroup();
        if (!quitting()) SetStepDone(*BGROUP);
        SetModalResult(quitting() ? mrCancel : mrOk);
    } catch (const std::exception& error) {
        ReportStoppedConfiguration(error.what());
        SetModalResult(mrCancel);
    }
    BNext->SetEnabled(true);
}

void TConfig::DoConfigBDE() {
    LogSection section("DoConfigBDE");
    RegisterBDE();
    const std::vector<std::string> names(InstallSettings.AliasNames.begin(), InstallSettings.AliasNames.end());
    // Whether the engine took every alias is noted in the log by the engine;
    // the page goes on either way.
    AddAliases(names, AliasFolders(InstallSettings.DataDir, InstallSettings.AliasDirs));
}

void TConfig::DoConfigConfigSys() {
    LogSection section("DoConfigConfigSys");
    ConfigureSystem(kConfigSysPath, InstallSettings.ProgramDir);
}

void TConfig::DoConfigGroup() {
    LogSection section("DoConfigGroup");
    CreateProgramGroup(InstallSettings.ProgramDir, InstallSettings.DefaultProgramDir);
}

void TConfig::AnswerUnattended() { Press(BNext); }
