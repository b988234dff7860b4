#include "upgrade/upgrade_data_page.h"

#include "core/report_failure.h"
#include "core/debug_log.h"
#include "core/upgrade_backup.h"
#include "framework/application.h"
#include "framework/extctrls.h"
#include "framework/stdctrls.h"
#include "core/settings.h"
#include "toolkit/active_check_box.h"
#include "toolkit/fmt_label.h"
#include "toolkit/format_codes.h"
#include "toolkit/mbutton.h"
#include "toolkit/message_dialog.h"
#include "toolkit/nice_button.h"
#include "toolkit/step_panel.h"
#include "upgrade/upgrade_library.h"

namespace {

constexpr TColor kStatusRed = 255;
constexpr TColor kStatusBlack = 0;

// The status line of the open page, which the report procedure writes to;
// the library knows nothing of the page. Cleared when that page goes, so a
// late report can never reach a freed label.
TLabel* reportLabel = nullptr;

struct UpgradeStep {
    TActiveCheckBox* box;
    TFmtLabel* mark;
    TPanel* panel;
    void (*run)();
    bool redStatus;  // the status line turns red before the step
};

void ReportStoppedUpgrade(const std::string& reason) {
    ReportFailure("Exceptie la actualizarea bazei de date: " + reason,
                  "Actualizarea bazei de date nu s-a putut termina:\r" + reason, {"Eroare..."});
}

}  // namespace

void __stdcall UpgradeReport(HGLOBAL text) {
    // A block that cannot be read is passed over: the library goes on.
    const std::optional<std::string> report = ReadReportText(text);
    if (!report) return;
    DebugNote(*report);
    if (!reportLabel) return;
    reportLabel->SetCaption(*report);
    reportLabel->Repaint();
    // The only moment during a step when the page repaints and sees keys.
    Application().ProcessMessages();
}

const ClassInfo& TUpgData::StaticClass() {
    static const ClassInfo info = ClassBuilder<TUpgData>("TUpgData", &TTitleForm::StaticClass()).Build();
    return info;
}

TUpgData::TUpgData(TComponent* owner) : TTitleForm(owner) {
    PublishField("BNext", BNext);
    PublishField("BBack", BBack);
    PublishField("BCancel", BCancel);
    PublishField("Bevel1", Bevel1);
    PublishField("L1", L1);
    PublishField("BStruct", BStruct);
    PublishField("BLists", BLists);
    PublishField("BConst", BConst);
    PublishField("Ck1", Ck1);
    PublishField("Ck2", Ck2);
    PublishField("Ck3", Ck3);
    PublishField("Lk1", Lk1);
    PublishField("Lk2", Lk2);
    PublishField("Lk3", Lk3);
    PublishMethod("FormCreate", &TUpgData::FormCreate);
    PublishMethod("BNextClick", &TUpgData::BNextClick);
    PublishMethod("FormKeyDown", &TUpgData::FormKeyDown);
    LoadForm("TUpgData");
}

TUpgData::~TUpgData() {
    if (reportLabel == L1) reportLabel = nullptr;
}

void TUpgData::FormCreate(TObject*) {
    for (TPanel* step : {BStruct, BLists, BConst}) SetStepIdle(*step);
    reportLabel = L1;
}

void TUpgData::BNextClick(TObject*) {
    SetModalResult(mrOk);
    L1->Show();
    L1->Repaint();
    // Disabled until the page closes: nothing but Alt+Q may act while the
    // library works, and the steps to run are those ticked when Next came.
    for (TWinControl* control : std::initializer_list<TWinControl*>{BBack, BNext, BCancel, Ck1, Ck2, Ck3})
        control->SetEnabled(false);
    try {
        // The database as it was, before the first step changes it.
        if (!InstallSettings.BackupFolder.empty())
            UpgradeBackup(InstallSettings.BackupFolder).SaveDataFolder(InstallSettings.DataDir);
        RunSteps();
    } catch (const std::exception& error) {
        ReportStoppedUpgrade(error.what());
        SetModalResult(mrCancel);
        return;
    }
    L1->Hide();
    L1->Repaint();
    SetModalResult(mrOk);
}

void TUpgData::RunSteps() {
    SetReportProc(UpgradeReport);
    const UpgradeStep steps[] = {
        {Ck1, Lk1, BStruct, DoStructureUpgrade, false},
        {Ck2, Lk2, BLists, DoListUpgrade, true},
        {Ck3, Lk3, BConst, DoConstUpgrade, true},
    };
    for (const UpgradeStep& step : steps) {
        if (!step.box->Checked()) continue;
        step.mark->Show();
        if (step.redStatus) L1->Font().SetColor(kStatusRed);
        step.run();
        // A step that did not end well loses its mark; the next ones still
        // run, and the upgrade counts as failed.
        if (!GetSemaforOK()) {
            step.mark->Hide();
            InstallSettings.UpgradeStepFailed = true;
        }
        PaintStepDone(*step.panel);
    }
}

void TUpgData::FormKeyDown(TObject*, WORD& key, TShiftState shift) {
    if (key != 'Q' || !(shift & ssAlt)) return;
    quickVerif_ = !quickVerif_;
    SetQuickVerif(quickVerif_);
    L1->Font().SetColor(quickVerif_ ? kStatusRed : kStatusBlack);
}

void TUpgData::AnswerUnattended() { Press(BNext); }
