#include "pages/dir_dialog.h"

#include "framework/application.h"
#include "framework/filectrls.h"
#include "pages/folder_names.h"
#include "core/text.h"
#include "core/program_path.h"

#include <memory>

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

std::optional<std::string> PickFolder(const std::string& start) {
    auto picker = std::make_unique<TDirDialog>(nullptr);
    // Only a folder on a drive can open the tree.
    if (IsFullFolderName(start) && start[1] == ':') {
        try {
            picker->dirs->SetDirectory(start);
        } catch (const std::exception&) {
            // A drive that cannot be read: the picker opens where it would anyway.
        }
    }
    if (picker->ShowModal() != mrOk) return std::nullopt;
    return WithBackslash(picker->dirs->Directory());
}
