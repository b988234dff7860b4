#include "config_test_support.h"

std::string WindowsFile(const char* name) {
    char folder[MAX_PATH];
    GetWindowsDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\" + name;
}

KeptFile::KeptFile(std::string path) : path_(std::move(path)) {
    attributes_ = GetFileAttributesA(path_.c_str());
    if (attributes_ != INVALID_FILE_ATTRIBUTES) bytes_ = ReadBytes(path_);
}

KeptFile::~KeptFile() {
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!bytes_) {
        DeleteFileA(path_.c_str());
        return;
    }
    WriteBytes(path_, *bytes_);
    SetFileAttributesA(path_.c_str(), attributes_);
}
