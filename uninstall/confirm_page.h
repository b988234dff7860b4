// TUninstConfirm: the uninstaller's first page. It says what will be removed
// and what stays, and offers "Sterge si datele firmei", unticked; ticking it
// asks once more, with No as the default. A client's page never offers it:
// the data belong to the server. Next goes on to the removal, Abandon ends
// the uninstaller with nothing removed.
#pragma once

#include "core/unattended_page.h"
#include "toolkit/title_form.h"

struct UninstallSession;
class TActiveCheckBox;
class TMButton;
class TMemo;
class TNiceButton;

class TUninstConfirm : public TTitleForm, public TUnattendedPage {
    DECLARE_CLASS_INFO
public:
    TUninstConfirm(TComponent* owner, UninstallSession& session);

    // Components of the form, not owned.
    TMemo* MWhat = nullptr;
    TActiveCheckBox* CkData = nullptr;
    TMButton* BNext = nullptr;
    TNiceButton* BCancel = nullptr;

    void CkDataClick(TObject* sender);
    void BNextClick(TObject* sender);
    // Ticks the box as /REMOVEDATA says, without the question, and goes on.
    void AnswerUnattended() override;

private:
    void ShowWhat();

    UninstallSession& session_;
    bool answeredBeforehand_ = false;
};
