// The last page of both flows: the installation succeeded; restart Windows
// now ("&Restart!") or leave ("Nu &acum", which ends the wizard). Back shows
// the configuration page again.
#pragma once

#include "core/unattended_page.h"
#include "toolkit/title_form.h"

class TMButton;
class TNiceButton;
class TMemo;

class TEndScreen : public TTitleForm, public TUnattendedPage {
    DECLARE_CLASS_INFO
public:
    explicit TEndScreen(TComponent* owner);

    TMButton* BBack = nullptr;  // not owned: components of the form
    TMButton* BCancel = nullptr;
    TNiceButton* NiceButton1 = nullptr;
    TMemo* Memo1 = nullptr;

    // "&Restart!": the page stays open whatever Windows answers; a restart
    // that goes ahead ends the installer by itself.
    void BCancelClick(TObject* sender);
    // Restarts when asked to (a refused restart leaves the page open), then
    // leaves with "Nu &acum": the installation is complete all the same.
    void AnswerUnattended() override;
};
