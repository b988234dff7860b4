// Folder names as the folder pages take them from the user. A folder that
// the installer will write into must be named in full, from a drive's root
// ("C:\WinKorv") or from a network share ("\\server\share\Date"): a name
// relative to the process's current folder would put the customer's files
// wherever the installer happened to be started from.
#pragma once

#include <string>

bool IsFullFolderName(const std::string& name);
// A full name of a folder that exists (a file of that name is no folder).
bool FolderExists(const std::string& name);
// The folder exists afterwards: it did already, or its last level was
// created in a parent that exists. False for a name that is not full.
bool EnsureFolderOneLevel(const std::string& name);
