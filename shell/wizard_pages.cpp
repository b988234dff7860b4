// The installer's own wiring of the wizard: which page stands in which slot,
// and what runs before the first page.
#include <memory>

#include "config/config_page.h"
#include "copy/copy_page.h"
#include "copy/upgrade_copy_page.h"
#include "framework/form.h"
#include "pages/dirs_page.h"
#include "pages/end_page.h"
#include "pages/find_app_page.h"
#include "pages/install_type_page.h"
#include "shell/server_upgrade_question.h"
#include "core/outcome.h"
#include "core/unattended.h"
#include "shell/unattended_pilot.h"
#include "shell/upgrade_rollback.h"
#include "upgrade/installation_alias.h"
#include "upgrade/upgrade_data_page.h"
#include "shell/upgrade_detection.h"
#include "shell/wizard.h"

namespace {

template <class Page>
PageFactory Make() {
    return [] { return std::make_unique<Page>(nullptr); };
}

// The search page learns the alias folder from the upgrade library here, so
// that the pages never reach the library themselves.
PageFactory MakeFindApp() {
    return [] { return std::make_unique<TFindApp>(nullptr, AliasFolderOfInstallation()); };
}

}  // namespace

const WizardPageTable& WizardPages() {
    static const WizardPageTable pages = [] {
        WizardPageTable table;
        table[SlotInstallType] = Make<TIType>();
        table[SlotFolders] = Make<TDirs>();
        table[SlotCopy] = Make<TCopy>();
        table[SlotConfig] = Make<TConfig>();
        table[SlotEnd] = Make<TEndScreen>();
        table[SlotFindApp] = MakeFindApp();
        table[SlotUpgradeCopy] = Make<TUpgCopy>();
        table[SlotUpgradeData] = Make<TUpgData>();
        return table;
    }();
    return pages;
}

void RunWizard() {
    const WizardParts parts{&WizardPages(), DetectUpgrade, [] { ReadSettingsFile(); }, AskServerUpgrade,
                            [](std::uint8_t slot, int result, std::uint8_t next) {
                                return AfterUpgradePage(slot, result, next, InstallSettings);
                            }};
    if (Unattended.Active) AnswerDialogsUnattended();
    OfferUnfinishedRestore();
    const bool completed = RunWizard(parts, Unattended.Active ? PagePilot(PilotPage) : PagePilot());
    // Closed before its end by anything that did not record a reason.
    if (Unattended.Active && !completed) RecordOutcome(ecCancelled);
}
