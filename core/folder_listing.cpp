#include "core/folder_listing.h"

#include <memory>

std::vector<WIN32_FIND_DATAA> ListFolder(const std::string& folder) {
    std::vector<WIN32_FIND_DATAA> entries;
    const std::string pattern = folder.empty() || folder.back() == '\\' ? folder + "*" : folder + "\\*";
    WIN32_FIND_DATAA found;
    HANDLE first = FindFirstFileA(pattern.c_str(), &found);
    if (first == INVALID_HANDLE_VALUE) return entries;
    const std::unique_ptr<void, BOOL(WINAPI*)(HANDLE)> search(first, FindClose);
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") entries.push_back(found);
    } while (FindNextFileA(search.get(), &found));
    return entries;
}
