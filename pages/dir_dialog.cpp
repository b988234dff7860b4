#include "pages/dir_dialog.h"

#include "framework/application.h"
#include "framework/filectrls.h"

TDirDialog::TDirDialog(TComponent* owner) : TTitleForm(owner) {
    PublishField("DriveComboBox1", DriveComboBox1);
    PublishField("dirs", dirs);
    LoadForm("TDirDialog");
}

void TDirDialog::CreateParams(TCreateParams& params) {
    TTitleForm::CreateParams(params);
    // Owned by the page it is opened from rather than by the main window, so
    // that it can never fall behind that page.
    TForm* opener = Screen().ActiveForm();
    if (opener && opener != this && opener->HandleAllocated()) params.parent = opener->HandleIfAllocated();
}
