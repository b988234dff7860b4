// What a folder holds, read in one go: the one place the installer walks
// the system's folder search, so that every search handle is closed.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The entries of `folder` (files and folders, without "." and ".."); empty
// when it cannot be read.
std::vector<WIN32_FIND_DATAA> ListFolder(const std::string& folder);

inline bool IsFolderEntry(const WIN32_FIND_DATAA& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
// A folder that is a link or junction: never entered, so no walk loops.
inline bool IsLinkEntry(const WIN32_FIND_DATAA& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}
