#include "pages/install_type_page.h"

#include "core/settings.h"
#include "core/unattended.h"
#include "toolkit/mbutton.h"
#include "toolkit/radio_button.h"

const ClassInfo& TIType::StaticClass() {
    static const ClassInfo info = ClassBuilder<TIType>("TIType", &TTitleForm::StaticClass()).Build();
    return info;
}

TIType::TIType(TComponent* owner) : TTitleForm(owner) {
    PublishMethod("FormCreate", &TIType::FormCreate);
    PublishMethod("FormShow", &TIType::FormShow);
    PublishMethod("ITypeModify", &TIType::ITypeModify);
    PublishMethod("BNextClick", &TIType::BNextClick);
    PublishField("BNext", BNext);
    PublishField("BCancel", BCancel);
    PublishField("IType", IType);
    LoadForm("TIType");
}

void TIType::FormCreate(TObject*) {
    BNext->SetEnabled(InstallSettings.InstallType != itNone);
    // Signed: itNone selects nothing (-1), not item 255.
    IType->SetItemIndex(static_cast<int>(InstallSettings.InstallType) - 1);
    bringToFront_ = true;
}

void TIType::FormShow(TObject*) {
    if (!bringToFront_) return;
    bringToFront_ = false;
    SetForegroundWindow(Handle());
    BringWindowToTop(Handle());
}

void TIType::ITypeModify(TObject*, bool& allow) {
    allow = true;
    BNext->SetEnabled(true);
}

void TIType::BNextClick(TObject*) {
    const int chosen = IType->ItemIndex();
    if (chosen < 0 || chosen > 2) {
        // Nothing chosen (Next reached by a key while still disabled): the
        // page stays, and "not chosen" is never stored as a choice.
        SetModalResult(mrNone);
        return;
    }
    InstallSettings.InstallType = static_cast<TInstallType>(chosen + 1);
    SetModalResult(mrOk);
}

void TIType::AnswerUnattended() {
    const int item = static_cast<int>(Unattended.Type) - 1;
    if (item >= 0 && item < IType->Items().Count()) Press(IType->Buttons(item));
    Press(BNext);
}
