#include "tests/support/scratch_folder.h"

#include <windows.h>

#include <algorithm>
#include <cctype>

namespace {

std::string TempFolder() {
    char temp[MAX_PATH], full[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    GetFullPathNameA(temp, sizeof full, full, nullptr);
    return full;
}

std::string CurrentFolder() {
    char current[MAX_PATH];
    GetCurrentDirectoryA(sizeof current, current);
    return current;
}

bool StartsWithFolder(std::string path, std::string folder) {
    auto upper = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
        return text;
    };
    path = upper(path + "\\");
    folder = upper(folder + "\\");
    return path.compare(0, folder.size(), folder) == 0;
}

}  // namespace

ScratchFolder::ScratchFolder(const std::string& name) {
    static int count = 0;
    path_ = TempFolder() + name + "-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count);
    RemoveTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
    // A page under test may leave the process inside the folder (the copy
    // pages do), and a current folder cannot be removed.
    if (StartsWithFolder(CurrentFolder(), path_)) SetCurrentDirectoryA(TempFolder().c_str());
    RemoveTree(path_);
}

std::string ScratchFolder::Make(const std::string& relative) const {
    std::string path = path_;
    std::size_t start = 0;
    while (start <= relative.size()) {
        std::size_t end = relative.find('\\', start);
        if (end == std::string::npos) end = relative.size();
        path += "\\" + relative.substr(start, end - start);
        CreateDirectoryA(path.c_str(), nullptr);
        start = end + 1;
    }
    return path;
}

void RemoveTree(const std::string& folder) {
    const std::string base = folder.ends_with('\\') ? folder : folder + "\\";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((base + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = base + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(base.c_str());
}
