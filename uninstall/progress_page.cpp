#include "uninstall/progress_page.h"

#include "core/outcome.h"
#include "core/report_failure.h"
#include "core/unattended.h"
#include "framework/application.h"
#include "framework/extctrls.h"
#include "framework/stdctrls.h"
#include "toolkit/mbutton.h"
#include "toolkit/nice_button.h"
#include "uninstall/uninstall_session.h"

const ClassInfo& TUninstProgress::StaticClass() {
    static const ClassInfo info = ClassBuilder<TUninstProgress>("TUninstProgress", &TTitleForm::StaticClass()).Build();
    return info;
}

TUninstProgress::TUninstProgress(TComponent* owner, UninstallSession& session) : TTitleForm(owner), session_(session) {
    PublishField("LStep", LStep);
    PublishField("Progress", Progress);
    PublishField("BNext", BNext);
    PublishField("BCancel", BCancel);
    PublishMethod("FormShow", &TUninstProgress::FormShow);
    LoadForm("TUninstProgress");
    // The first tick comes once the page is painted.
    start_ = new TTimer(this);
    start_->SetEnabled(false);
    start_->SetInterval(200);
    start_->OnTimer = [this](TObject*) {
        start_->SetEnabled(false);
        RunRemoval();
    };
}

void TUninstProgress::FormShow(TObject*) {
    // Without a person the pilot starts it.
    if (!Unattended.Active) start_->SetEnabled(true);
}

void TUninstProgress::AnswerUnattended() { RunRemoval(); }

void TUninstProgress::RunRemoval() {
    if (started_) return;
    started_ = true;
    // A failure nobody foresaw is told, and the page closes: the person is
    // never left before a page that does nothing.
    try {
        Remove();
    } catch (const std::exception& failure) {
        ReportFailure(std::string("Exceptie la dezinstalare: ") + failure.what(),
                      std::string("Dezinstalarea s-a oprit:\r") + failure.what() +
                          "\r\rPorniti dezinstalarea din nou din lista programelor instalate.");
        SetModalResult(mrCancel);
    }
}

void TUninstProgress::Remove() {
    InstallationRemoval removal(session_.record, session_.removeData, session_.steps, session_.uninstaller);
    Progress->SetMaxValue(removal.StepCount());
    Progress->SetProgress(0);
    removal.Run([this](int done) {
        Progress->SetProgress(done);
        Progress->Repaint();
        Application().ProcessMessages();
    });
    if (!removal.Outcome().Succeeded()) RecordOutcome(ecFailed);
    LStep->SetCaption("Se sterge programul de dezinstalare...");
    LStep->Repaint();
    if (session_.beforeUninstallerRemoval) session_.beforeUninstallerRemoval();
    removal.RemoveUninstaller();
    LStep->SetCaption(removal.Outcome().Succeeded() ? "Dezinstalarea s-a terminat." : "Dezinstalarea nu s-a terminat.");
    session_.outcome = removal.Outcome();
    SetModalResult(mrOk);
}
