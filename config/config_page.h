// TConfig: the configuration page, after the copy of a new installation (or
// Back from the end page). One click on Next runs the three steps in order,
// each named in the diagnostic log after its method: the database engine
// (registration and the application's four aliases), the system settings
// (profile, CONFIG.SYS, outside set-up tools) and the program group; then
// it writes down what was installed and leaves the uninstaller with its
// entry in Windows' list of programs. A step panel shows each step done as
// soon as it is. A step that fails in a way
// the user can act on says so itself and the next one runs; an error that
// stops the configuration is shown, and the page closes as Cancel, so that
// nothing half-configured is reported as installed.
#pragma once

#include "core/unattended_page.h"
#include "toolkit/title_form.h"

class TBevel;
class TMButton;
class TNiceButton;
class TPanel;

class TConfig : public TTitleForm, public TUnattendedPage {
    DECLARE_CLASS_INFO
public:
    explicit TConfig(TComponent* owner);

    // Components of the form, not owned.
    TPanel* BBDE = nullptr;
    TPanel* BCFGSYS = nullptr;
    TPanel* BGROUP = nullptr;
    TMButton* BBack = nullptr;
    TMButton* BNext = nullptr;
    TBevel* Bevel1 = nullptr;
    TNiceButton* BCancel = nullptr;

    void FormCreate(TObject* sender);
    void BNextClick(TObject* sender);
    // Goes on with Next.
    void AnswerUnattended() override;

    void DoConfigBDE();
    void DoConfigConfigSys();
    void DoConfigGroup();
    // After the three steps: the installation record, the uninstaller and
    // KORVEN's entry in the list of installed programs. A failure there is
    // told, and the installation still ends as installed.
    void DoPrepareUninstall();
};
