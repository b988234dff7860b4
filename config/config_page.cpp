#include "config/config_page.h"

#include <windows.h>

#include "config/config_sys.h"
#include "config/engine.h"
#include "config/engine_registration.h"
#include "config/program_group.h"
#include "config/uninstall_entry.h"
#include "core/report_failure.h"
#include "core/debug_log.h"
#include "core/file_crc.h"
#include "core/text.h"
#include "framework/application.h"
#include "framework/extctrls.h"
#include "core/settings.h"
#include "core/uninstaller_file.h"
#include "core/version.h"
#include "toolkit/mbutton.h"
#include "toolkit/nice_button.h"
#include "toolkit/step_panel.h"

#include <algorithm>
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

// The registration wrote the Program Files folder into the engine's
// registration file: the record holds the file as it now is, so that the
// uninstaller knows it for the installation's own.
void NoteRewrittenRegistrationFile(InstallationRecord& record) {
    for (RecordedFile& file : record.files) {
        if (file.component != "BDE32" || UpperAscii(file.path) != "BDE.REG") continue;
        const std::string path = FullPathOf(record, file);
        WIN32_FILE_ATTRIBUTE_DATA data;
        const std::optional<std::uint32_t> crc = FileCrc32(path);
        if (!crc || !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
            DebugNote("Nu pot citi " + path + " dupa inregistrare");
            continue;
        }
        file.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        file.crc = *crc;
    }
}

// A failure after the configuration: KORVEN works, only its removal does
// not. Told once, and the installation ends as installed.
void ReportNoUninstall(const std::string& what) {
    ReportFailure("Dezinstalarea nu este pregatita: " + what,
                  what +
                      "\r\rKORVEN este instalat si functioneaza; lipseste doar\r"
                      "dezinstalarea lui din lista programelor instalate.",
                  {"Eroare...", {mbOK}, mbOK});
}

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
        if (!quitting()) DoPrepareUninstall();
        SetModalResult(quitting() ? mrCancel : mrOk);
    } catch (const std::exception& error) {
        ReportStoppedConfiguration(error.what());
        SetModalResult(mrCancel);
    }
    BNext->SetEnabled(true);
}

void TConfig::DoConfigBDE() {
    LogSection section("DoConfigBDE");
    InstallationRecord& record = InstallSettings.Installed;
    const EngineUse use = RegisterBDE();
    if (use == EngineUse::Registered) NoteRewrittenRegistrationFile(record);
    // Shown again (Back from the end page), the page finds the engine it
    // registered the first time: that stays what this installation did.
    if (record.engine != EngineUse::Registered) record.engine = use;
    const std::vector<std::string> names(InstallSettings.AliasNames.begin(), InstallSettings.AliasNames.end());
    const std::vector<std::string> folders = AliasFolders(InstallSettings.DataDir, InstallSettings.AliasDirs);
    // Whether the engine took every alias is noted in the log by the engine;
    // the page goes on either way. An alias it refused is someone else's.
    std::vector<std::size_t> added;
    AddAliases(names, folders, &added);
    for (const std::size_t index : added) {
        const bool known = std::any_of(record.aliases.begin(), record.aliases.end(),
                                       [&](const RecordedAlias& alias) { return alias.name == names[index]; });
        if (!known) record.aliases.push_back({names[index], folders[index]});
    }
}

void TConfig::DoConfigConfigSys() {
    LogSection section("DoConfigConfigSys");
    ConfigureSystem(kConfigSysPath, InstallSettings.ProgramDir);
}

void TConfig::DoConfigGroup() {
    LogSection section("DoConfigGroup");
    const std::vector<ProgramGroupItem> items =
        CreateProgramGroup(InstallSettings.ProgramDir, InstallSettings.DefaultProgramDir);
    if (items.empty()) return;  // no conversation: no group was made
    InstallationRecord& record = InstallSettings.Installed;
    record.group = ProgramGroupName;
    record.items.clear();
    for (const ProgramGroupItem& item : items) record.items.push_back({item.caption, item.path});
}

void TConfig::DoPrepareUninstall() {
    InstallationRecord& record = InstallSettings.Installed;
    record.kitVersion = KORVEN_VERSION_TEXT;
    record.type = InstallSettings.InstallType;
    record.programDir = InstallSettings.ProgramDir;
    record.dataDir = InstallSettings.DataDir;
    {
        LogSection section("WriteInstallationRecord");
        if (!WriteInstallationRecord(record)) {
            ReportNoUninstall("Nu pot scrie inregistrarea instalarii\r" + InstallationRecordPath(record.programDir));
            return;
        }
        DebugNote(InstallationRecordPath(record.programDir) + ": " + std::to_string(record.files.size()) + " fisiere");
    }
    {
        LogSection section("PlaceUninstaller");
        std::string problem;
        if (!PlaceUninstaller(record.programDir, &problem)) {
            ReportNoUninstall("Nu pot scrie programul de dezinstalare\r" + UninstallerPath(record.programDir) + "\r" +
                              problem);
            return;
        }
        DebugNote(UninstallerPath(record.programDir));
    }
    LogSection section("WriteUninstallEntry");
    if (!WriteUninstallEntry(record))
        ReportNoUninstall("Nu pot scrie cheia de registru\rHKEY_LOCAL_MACHINE\\" + std::string(UninstallEntryKey));
}

void TConfig::AnswerUnattended() { Press(BNext); }
