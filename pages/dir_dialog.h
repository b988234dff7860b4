// TDirDialog: the folder picker of the folder pages, a drive list over the
// folder tree of the chosen drive. The caller creates it, may open the tree
// at a folder of its own, shows it modally and, after mrOk, reads the open
// folder of `dirs`. A drive that cannot be read leaves the picker on the
// drive it showed before.
#pragma once

#include "toolkit/title_form.h"

#include <optional>
#include <string>

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

// Shows a picker opened at `start` (the nearest folder of it that exists,
// when it is a full name on a drive; otherwise where the picker opens by
// itself). The folder chosen, with a final backslash; nothing when the user
// gave it up.
std::optional<std::string> PickFolder(const std::string& start);
