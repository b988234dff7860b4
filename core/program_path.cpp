#include "core/program_path.h"

#include <windows.h>

#include "core/text.h"

std::string ProgramPath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);  // truncated: try a larger buffer
    }
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of("\\/:");
    if (slash == std::string::npos) return {};
    std::string folder = path.substr(0, slash + 1);
    if (folder.back() == ':') folder += '\\';
    return folder;
}

std::string ProgramFolder() { return WithBackslash(FolderOf(ProgramPath())); }
