// TUninstEnd: the uninstaller's last page: what was removed, and what stays
// (the data, files the user changed or put there, what could not be
// removed). "&Gata" ends the uninstaller.
#pragma once

#include "core/unattended_page.h"
#include "toolkit/title_form.h"

struct UninstallSession;
class TMemo;
class TNiceButton;

class TUninstEnd : public TTitleForm, public TUnattendedPage {
    DECLARE_CLASS_INFO
public:
    TUninstEnd(TComponent* owner, const UninstallSession& session);

    // Components of the form, not owned.
    TMemo* MDone = nullptr;
    TNiceButton* BDone = nullptr;

    // Leaves with "&Gata".
    void AnswerUnattended() override;
};

// What the end page says about the removal the session ran.
std::string UninstallSummary(const UninstallSession& session);
