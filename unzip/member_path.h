// Paths of extracted members: where a stored name may go, and creating the
// folders of an output path.
#pragma once

#include <string>

namespace korven::unzip {

// False for a stored name that would leave the target folder: absolute
// ("\x", "/x"), with a drive or stream colon ("C:x", "a:b"), or with a ".."
// piece (also ". ." and similar, which Windows trims to "..").
bool IsSafeMemberName(const std::string& storedName);

// Creates the folders of `outputPath` up to, not including, the part after
// its last separator. Starts at the drive's root for "X:\..." and at the
// root for "\..."; stops at the first folder that can be neither entered nor
// created.
void CreateFolderPath(const std::string& outputPath);

}  // namespace korven::unzip
