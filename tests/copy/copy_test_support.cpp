#include "copy_test_support.h"

#include <fstream>
#include <sstream>

#include "registry_key.h"

namespace {

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

TempFolder::TempFolder(const std::string& name) {
    char temp[MAX_PATH], full[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    GetFullPathNameA((std::string(temp) + name + "_" + std::to_string(GetCurrentProcessId())).c_str(), sizeof full,
                     full, nullptr);
    path_ = full;
    RemoveTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
    // The copy page leaves the process inside the program folder.
    SetCurrentDirectoryA("C:\\");
    RemoveTree(path_);
}

std::string TempFolder::Make(const std::string& relative) const {
    std::string path = path_;
    size_t start = 0;
    while (start <= relative.size()) {
        size_t end = relative.find('\\', start);
        if (end == std::string::npos) end = relative.size();
        path += "\\" + relative.substr(start, end - start);
        CreateDirectoryA(path.c_str(), nullptr);
        start = end + 1;
    }
    return path;
}

void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string KitArchive(const std::string& component) {
    return std::string(COPY_KIT_ARCHIVES) + "\\" + component + ".ZIP";
}

std::string KitSourceFile(const std::string& component, const std::string& relative) {
    return std::string(COPY_KIT_ARCHIVES) + "\\src\\" + component + "\\" + relative;
}

std::string UpgradeKitArchive(const std::string& component) {
    return std::string(COPY_KIT_ARCHIVES) + "\\upgrade\\" + component + ".ZIP";
}

std::string UpgradeKitSourceFile(const std::string& component, const std::string& relative) {
    return std::string(COPY_KIT_ARCHIVES) + "\\upgrade\\src\\" + component + "\\" + relative;
}

std::string HostileArchive(const std::string& name) { return std::string(COPY_HOSTILE_ARCHIVES) + "\\" + name; }

std::vector<std::string> CutIntoPieces(const std::string& file, const std::string& folder, const std::string& name,
                                       size_t pieceSize) {
    const std::string content = ReadFile(file);
    std::vector<std::string> pieces;
    for (size_t at = 0; at == 0 || at < content.size(); at += pieceSize) {
        const std::string piece = name + "." + std::to_string(pieces.size() + 1);
        WriteFile(folder + "\\" + piece, content.substr(at, pieceSize));
        pieces.push_back(piece);
    }
    return pieces;
}

bool MachineKeyExists(const std::string& key) { return RegistryKey::Open(HKEY_LOCAL_MACHINE, key).has_value(); }

ScopedMachineValue::ScopedMachineValue(const std::string& key, const std::string& name,
                                       const std::optional<std::string>& value)
    : key_(key), name_(name) {
    for (size_t end = key.find('\\');; end = key.find('\\', end + 1)) {
        const std::string level = key.substr(0, end);
        if (!MachineKeyExists(level)) madeKeys_.push_back(level);
        if (end == std::string::npos) break;
    }
    std::optional<RegistryKey> opened = RegistryKey::Create(HKEY_LOCAL_MACHINE, key);
    if (!opened) throw std::runtime_error("cannot make HKLM\\" + key);
    earlier_ = opened->ReadString(name);
    if (value) {
        opened->WriteString(name, *value);
    } else {
        opened->DeleteValue(name);
    }
}

ScopedMachineValue::~ScopedMachineValue() {
    if (std::optional<RegistryKey> opened = RegistryKey::Open(HKEY_LOCAL_MACHINE, key_, KEY_READ | KEY_WRITE)) {
        if (earlier_) {
            opened->WriteString(name_, *earlier_);
        } else {
            opened->DeleteValue(name_);
        }
    }
    for (auto made = madeKeys_.rbegin(); made != madeKeys_.rend(); ++made)
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, made->c_str());
}
