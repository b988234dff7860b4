#include "config/replace_file.h"

#include <windows.h>

#include "core/unique_handle.h"

namespace {

std::string FolderOf(const std::string& fileName) {
    const auto slash = fileName.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : fileName.substr(0, slash + 1);
}

DWORD WriteWhole(const std::string& fileName, const std::string& bytes) {
    UniqueHandle file(
        CreateFileA(fileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return GetLastError();
    DWORD written = 0;
    if (!bytes.empty() && (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
                           written != bytes.size()))
        return GetLastError() ? GetLastError() : ERROR_WRITE_FAULT;
    if (!FlushFileBuffers(file)) return GetLastError();
    return ERROR_SUCCESS;
}

}  // namespace

unsigned long ReplaceFileContents(const std::string& fileName, const std::string& bytes) {
    char temporary[MAX_PATH];
    if (!GetTempFileNameA(FolderOf(fileName).c_str(), "krv", 0, temporary)) return GetLastError();
    DWORD error = WriteWhole(temporary, bytes);
    if (error == ERROR_SUCCESS &&
        !MoveFileExA(temporary, fileName.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
    if (error != ERROR_SUCCESS) DeleteFileA(temporary);
    return error;
}
