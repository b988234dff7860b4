// The first page of a new installation: the user chooses LOCAL, SERVER or
// CLIENT. It stores the choice in InstallSettings.InstallType only when the
// user goes on, so "&Abandon" leaves the setting as it was; shown again, it
// starts from the stored choice.
#pragma once

#include "core/unattended_page.h"
#include "toolkit/title_form.h"

class TMButton;
class TMRadioGroup;

class TIType : public TTitleForm, public TUnattendedPage {
    DECLARE_CLASS_INFO
public:
    explicit TIType(TComponent* owner);

    TMButton* BNext = nullptr;    // not owned: components of the form
    TMButton* BCancel = nullptr;  //
    TMRadioGroup* IType = nullptr;

    void FormCreate(TObject* sender);
    void FormShow(TObject* sender);
    void ITypeModify(TObject* sender, bool& allow);
    void BNextClick(TObject* sender);
    // Chooses the given type and goes on.
    void AnswerUnattended() override;

private:
    // Asks for the page to come to the front at its first show: the wizard
    // starts while the kit's instance may still own the foreground.
    bool bringToFront_ = false;
};
