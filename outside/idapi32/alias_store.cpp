#include "outside/idapi32/alias_store.h"

#include <windows.h>

#include <algorithm>

#include "outside/common/stand_in_text.h"
#include "outside/idapi32/file_handle.h"

namespace {

std::string FolderOf(const std::string& fileName) {
    const auto slash = fileName.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : fileName.substr(0, slash);
}

bool WriteWhole(const std::string& fileName, const std::string& bytes) {
    FileHandle file(
        CreateFileA(fileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    DWORD written = 0;
    if (!bytes.empty() && (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
                           written != bytes.size()))
        return false;
    return FlushFileBuffers(file) != 0;
}

}  // namespace

bool SameAliasName(const std::string& a, const std::string& b) { return Upper(a) == Upper(b); }

const Alias* FindAlias(const AliasList& aliases, const std::string& name) {
    for (const Alias& alias : aliases)
        if (SameAliasName(alias.name, name)) return &alias;
    return nullptr;
}

std::string FormatAliasStore(const AliasList& aliases) {
    std::string text;
    for (const Alias& alias : aliases) {
        if (!text.empty()) text += "\r\n";
        text += "[" + alias.name + "]\r\n";
        text += "TYPE=" + alias.type + "\r\n";
        text += "PATH=" + alias.path + "\r\n";
    }
    return text;
}

AliasList ParseAliasStore(const std::string& text) {
    AliasList aliases;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        line = Trimmed(line);
        if (line.empty() || line[0] == ';') continue;
        if (line.front() == '[' && line.back() == ']') {
            aliases.push_back({Trimmed(line.substr(1, line.size() - 2)), "", ""});
            continue;
        }
        const auto equals = line.find('=');
        if (aliases.empty() || equals == std::string::npos) continue;
        const std::string key = Upper(Trimmed(line.substr(0, equals)));
        const std::string value = Trimmed(line.substr(equals + 1));
        if (key == "TYPE") aliases.back().type = value;
        if (key == "PATH") aliases.back().path = value;
    }
    return aliases;
}

std::optional<AliasList> ReadAliasStore(const std::string& fileName) {
    FileHandle file(CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return AliasList{};
        return std::nullopt;
    }
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    // A store that fails part-way is unreadable: parsed, its first part
    // would be written back as the whole store.
    for (;;) {
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) return std::nullopt;
        if (got == 0) break;
        text.append(buffer, got);
    }
    return ParseAliasStore(text);
}

bool WriteAliasStore(const std::string& fileName, const AliasList& aliases) {
    char temporary[MAX_PATH];
    if (!GetTempFileNameA(FolderOf(fileName).c_str(), "als", 0, temporary)) return false;
    if (!WriteWhole(temporary, FormatAliasStore(aliases)) ||
        !MoveFileExA(temporary, fileName.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temporary);
        return false;
    }
    return true;
}
