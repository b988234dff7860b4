#include "shell/uninstaller.h"

#include <memory>

#include "config/engine.h"
#include "config/engine_registration.h"
#include "config/program_group.h"
#include "config/uninstall_entry.h"
#include "core/debug_log.h"
#include "core/outcome.h"
#include "core/report_failure.h"
#include "core/text.h"
#include "core/unattended.h"
#include "framework/application.h"
#include "shell/installer_window.h"
#include "shell/unattended_pilot.h"
#include "shell/wizard.h"
#include "uninstall/confirm_page.h"
#include "uninstall/end_page.h"
#include "uninstall/progress_page.h"
#include "uninstall/removal.h"
#include "uninstall/uninstall_session.h"

namespace {

// The pages in the order they come; numbered for the log as the wizard's.
enum UninstallPage : std::uint8_t { PageConfirm, PageProgress, PageEnd };

// Shows the three pages; answers how the run ends.
TExitCode ShowPages(UninstallSession& session) {
    const PagePilot pilot = Unattended.Active ? PagePilot(PilotPage) : PagePilot();
    const int confirmed = ShowPage(
        PageConfirm, [&] { return std::make_unique<TUninstConfirm>(nullptr, session); }, pilot);
    if (confirmed != mrOk) {
        DebugNote("Dezinstalarea a fost abandonata: nu s-a sters nimic");
        RecordOutcome(ecCancelled);
        return RunOutcome();
    }
    ShowPage(
        PageProgress, [&] { return std::make_unique<TUninstProgress>(nullptr, session); }, pilot);
    if (!session.outcome) {
        RecordOutcome(ecFailed);
        return RunOutcome();
    }
    ShowPage(
        PageEnd, [&] { return std::make_unique<TUninstEnd>(nullptr, session); }, pilot);
    return RunOutcome();
}

}  // namespace

UninstallSystemSteps UninstallStepsOfTheSystem(const std::string& programDir) {
    return {RemoveAliases, RemoveProgramGroup, LowerEngineUseCount, UnregisterEngine,
            [programDir] { return RemoveUninstallEntry(programDir); }};
}

int RunUninstaller(const std::string& programDir, const std::function<void()>& beforeUninstallerRemoval) {
    DebugBegin("RunUninstaller");
    if (Unattended.Active) AnswerDialogsUnattended();
    UninstallSession session;
    TExitCode code = ecFailed;
    try {
        TInstaller background(nullptr);
        Application().SetMainForm(&background);
        background.Show();
        std::string problem;
        if (std::optional<InstallationRecord> record = RecordForRemoval(programDir, problem)) {
            session.record = std::move(*record);
            session.steps = UninstallStepsOfTheSystem(programDir);
            session.uninstaller = InFolder(programDir, UninstallerName);
            session.beforeUninstallerRemoval = beforeUninstallerRemoval;
            code = ShowPages(session);
        } else {
            ReportFailure(problem, problem);
            code = ecFailed;
        }
    } catch (...) {
        Application().HandleException(std::current_exception());
        RecordOutcome(ecFailed);
        code = RunOutcome();
    }
    DebugEnd("RunUninstaller");
    return code;
}
