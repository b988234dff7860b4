// TUninstProgress: the removal under way. It starts by itself once the page
// is on the screen (there was a confirmation already), names each step and
// moves its gauge, and closes with Next when all is done: the end page says
// what was removed and what stays. Its buttons stay disabled: a removal
// stopped halfway would leave more behind than one that ends.
#pragma once

#include "core/unattended_page.h"
#include "toolkit/title_form.h"

struct UninstallSession;
class TGauge;
class TLabel;
class TMButton;
class TNiceButton;
class TTimer;

class TUninstProgress : public TTitleForm, public TUnattendedPage {
    DECLARE_CLASS_INFO
public:
    TUninstProgress(TComponent* owner, UninstallSession& session);

    // Components of the form, not owned.
    TLabel* LStep = nullptr;
    TGauge* Progress = nullptr;
    TMButton* BNext = nullptr;
    TNiceButton* BCancel = nullptr;

    void FormShow(TObject* sender);
    // Runs the removal at once.
    void AnswerUnattended() override;

private:
    void RunRemoval();
    void Remove();

    UninstallSession& session_;
    TTimer* start_ = nullptr;  // owned by the form
    bool started_ = false;
};
