#include "pages/folder_names.h"

#include <windows.h>

#include <cctype>

namespace {

bool IsDriveRoot(const std::string& name) {
    return name.size() >= 3 && std::isalpha(static_cast<unsigned char>(name[0])) && name[1] == ':' && name[2] == '\\';
}

// "\\server\share" with both parts present. "\\.\" and "\\?\" name devices
// and raw paths, not shares.
bool IsShareRoot(const std::string& name) {
    if (name.rfind("\\\\", 0) != 0) return false;
    const size_t serverEnd = name.find('\\', 2);
    if (serverEnd == std::string::npos || serverEnd == 2) return false;
    const std::string server = name.substr(2, serverEnd - 2);
    if (server == "." || server == "?") return false;
    const size_t shareEnd = name.find('\\', serverEnd + 1);
    return (shareEnd == std::string::npos ? name.size() : shareEnd) > serverEnd + 1;
}

}  // namespace

bool IsFullFolderName(const std::string& name) { return IsDriveRoot(name) || IsShareRoot(name); }

bool FolderExists(const std::string& name) {
    if (!IsFullFolderName(name)) return false;
    const DWORD attributes = GetFileAttributesA(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool EnsureFolderOneLevel(const std::string& name) {
    if (FolderExists(name)) return true;
    return IsFullFolderName(name) && CreateDirectoryA(name.c_str(), nullptr);
}
