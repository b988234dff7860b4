// TDirDialog: the folder picker of the folder pages, a drive list over the
// folder tree of the chosen drive. The caller creates it, may open the tree
// at a folder of its own, shows it modally and, after mrOk, reads the open
// folder of `dirs`. A drive that cannot be read leaves the picker on the
// drive it showed before.
#pragma once

#include "toolkit/title_form.h"

class TDriveComboBox;
class TDirectoryListBox;

class TDirDialog : public TTitleForm {
public:
    explicit TDirDialog(TComponent* owner);

    // Components of the form, not owned.
    TDriveComboBox* DriveComboBox1 = nullptr;
    TDirectoryListBox* dirs = nullptr;

protected:
    void CreateParams(TCreateParams& params) override;
};
