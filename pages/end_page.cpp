#include "pages/end_page.h"

#include "framework/stdctrls.h"
#include "core/settings.h"
#include "pages/restart_request.h"
#include "core/unattended.h"
#include "toolkit/mbutton.h"
#include "toolkit/nice_button.h"

const ClassInfo& TEndScreen::StaticClass() {
    static const ClassInfo info = ClassBuilder<TEndScreen>("TEndScreen", &TTitleForm::StaticClass()).Build();
    return info;
}

TEndScreen::TEndScreen(TComponent* owner) : TTitleForm(owner) {
    PublishMethod("BCancelClick", &TEndScreen::BCancelClick);
    PublishField("BBack", BBack);
    PublishField("BCancel", BCancel);
    PublishField("NiceButton1", NiceButton1);
    PublishField("Memo1", Memo1);
    LoadForm("TEndScreen");
    // An upgrade that was not completed says what became of it, and there is
    // no way back into it.
    if (!InstallSettings.EndNote.empty()) {
        Memo1->Lines().SetText(InstallSettings.EndNote);
        BBack->SetEnabled(false);
    }
}

void TEndScreen::BCancelClick(TObject*) {
    RequestRestart();
    // Set explicitly, so that no button kind supplies a result that would
    // close the page: a refused restart leaves the user here, with "Nu &acum".
    SetModalResult(mrNone);
}

void TEndScreen::AnswerUnattended() {
    if (Unattended.Restart) Press(BCancel);
    Press(NiceButton1);
}
