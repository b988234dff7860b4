#include "copy/files_in_use.h"

#include <windows.h>

#include "core/unique_handle.h"

std::vector<std::string> FilesInUse(const std::vector<std::string>& files) {
    std::vector<std::string> inUse;
    for (const std::string& path : files) {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) continue;  // gone meanwhile: nothing to replace
        const DWORD access = attributes & FILE_ATTRIBUTE_READONLY ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
        UniqueHandle file(CreateFileA(path.c_str(), access, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) inUse.push_back(path);
    }
    return inUse;
}

ReadOnlyLifted::ReadOnlyLifted(const std::vector<std::string>& files) {
    for (const std::string& path : files) {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY)) continue;
        if (SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY))
            lifted_.push_back({path, attributes});
    }
}

ReadOnlyLifted::~ReadOnlyLifted() {
    for (const Lifted& file : lifted_) SetFileAttributesA(file.path.c_str(), file.attributes);
}
