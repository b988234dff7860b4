#include "core/upgrade_backup.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <fstream>

#include "core/debug_log.h"
#include "core/files.h"
#include "core/folder_listing.h"
#include "core/text.h"
#include "core/unique_handle.h"

namespace {

constexpr char kList[] = "CUPRINS.TXT";
constexpr char kMarker[] = "NETERMINAT";
constexpr char kHeader[] = "KORVEN copie de siguranta 1";
constexpr char kIniSection[] = "KORVEN Instalare";
constexpr char kIniKey[] = "CopieNeterminata";
constexpr std::size_t kBackupsKept = 3;

std::string ParentOf(const std::string& path) {
    const std::size_t slash = WithoutFinalBackslash(path).find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool SamePath(const std::string& a, const std::string& b) {
    return UpperAscii(WithoutFinalBackslash(a)) == UpperAscii(WithoutFinalBackslash(b));
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeFolders(const std::string& folder) {
    if (folder.empty() || IsFolder(folder)) return true;
    if (!MakeFolders(ParentOf(folder))) return false;
    return CreateDirectoryA(folder.c_str(), nullptr) || IsFolder(folder);
}

// The files below `folder`, by their path relative to it; folders that are
// links are not entered, and the folder `except` is left out.
void CollectFiles(const std::string& folder, const std::string& relative, const std::string& except,
                  std::vector<std::string>& files) {
    for (const WIN32_FIND_DATAA& entry : ListFolder(relative.empty() ? folder : folder + "\\" + relative)) {
        const std::string path = relative.empty() ? entry.cFileName : relative + "\\" + entry.cFileName;
        if (!IsFolderEntry(entry)) {
            files.push_back(path);
        } else if (!IsLinkEntry(entry) && (except.empty() || !SamePath(folder + "\\" + path, except))) {
            CollectFiles(folder, path, except, files);
        }
    }
}

std::vector<std::string> FilesBelow(const std::string& folder, const std::string& except = {}) {
    std::vector<std::string> files;
    CollectFiles(WithoutFinalBackslash(folder), {}, except, files);
    return files;
}

// Copies a file over whatever stands at `target`, read-only or not; the
// copy gets the source's attributes, the read-only mark among them.
bool PutFile(const std::string& source, const std::string& target) {
    if (!MakeFolders(ParentOf(target))) return false;
    if (FileExists(target)) SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    const DWORD attributes = GetFileAttributesA(source.c_str());
    return CopyFileA(source.c_str(), target.c_str(), FALSE) && attributes != INVALID_FILE_ATTRIBUTES &&
           SetFileAttributesA(target.c_str(), attributes);
}

bool RemoveFile(const std::string& file) {
    if (!FileExists(file)) return true;
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileA(file.c_str()) != FALSE;
}

// The folders below `folder`, each before the ones inside it.
void CollectFolders(const std::string& folder, std::vector<std::string>& folders) {
    for (const WIN32_FIND_DATAA& entry : ListFolder(folder)) {
        if (!IsFolderEntry(entry)) continue;
        const std::string inner = folder + "\\" + entry.cFileName;
        folders.push_back(inner);
        if (!IsLinkEntry(entry)) CollectFolders(inner, folders);
    }
}

void RemoveTree(const std::string& folder) {
    for (const std::string& file : FilesBelow(folder)) RemoveFile(folder + "\\" + file);
    std::vector<std::string> folders{folder};
    CollectFolders(folder, folders);
    // Inner folders first: they were listed after the folders that hold them.
    for (auto each = folders.rbegin(); each != folders.rend(); ++each) RemoveDirectoryA(each->c_str());
}

std::string Stamp() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[32];
    wsprintfA(text, "%04u-%02u-%02u %02u.%02u.%02u", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
              now.wSecond);
    return text;
}

bool WriteNewFile(const std::string& path, const std::string& bytes) {
    UniqueHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file.valid() && WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

void ForgetUnfinished(const std::string& folder) {
    char named[MAX_PATH * 2] = {};
    GetProfileStringA(kIniSection, kIniKey, "", named, sizeof named);
    if (SamePath(named, folder)) WriteProfileStringA(kIniSection, kIniKey, nullptr);
}

}  // namespace

UpgradeBackup UpgradeBackup::Begin(const std::string& programFolder) {
    const std::string root = WithBackslash(programFolder) + "BACKUP\\";
    std::string folder = root + Stamp();
    for (int again = 2; IsFolder(folder); ++again) folder = root + Stamp() + " " + std::to_string(again);
    if (!MakeFolders(folder) || !WriteNewFile(folder + "\\" + kMarker, "") ||
        !WriteNewFile(folder + "\\" + kList, std::string(kHeader) + "\r\n")) {
        throw BackupFailure("Nu pot face copia de siguranta in directorul\r" + folder + ".");
    }
    WriteProfileStringA(kIniSection, kIniKey, folder.c_str());
    DebugNote("Copie de siguranta in " + folder);
    return UpgradeBackup(folder);
}

UpgradeBackup::UpgradeBackup(std::string folder) : folder_(WithoutFinalBackslash(std::move(folder))) {
    std::ifstream list(folder_ + "\\" + kList, std::ios::binary);
    std::string line;
    if (!std::getline(list, line) || Trimmed(line) != kHeader) {
        throw BackupFailure("Copia de siguranta din " + folder_ + " nu poate fi citita.");
    }
    while (std::getline(list, line)) {
        line = Trimmed(line);
        const std::size_t blank = line.find(' ');
        if (blank == std::string::npos) continue;
        const std::string kind = line.substr(0, blank), path = line.substr(blank + 1);
        if (kind == "INLOCUIT") {
            replacedFiles_.push_back(path);
            saved_.insert(UpperAscii(path));
        } else if (kind == "ADAUGAT") {
            addedFiles_.push_back(path);
            added_.insert(UpperAscii(path));
        } else if (kind == "DOSAR") {
            addedFolders_.push_back(path);
        } else if (kind == "DATE") {
            dataFolder_ = path;
        }
    }
}

void UpgradeBackup::Append(const std::string& kind, const std::string& path) {
    std::ofstream list(folder_ + "\\" + kList, std::ios::binary | std::ios::app);
    list << kind << ' ' << path << "\r\n";
    list.flush();
    if (!list) throw BackupFailure("Nu pot scrie in copia de siguranta din " + folder_ + ".");
}

std::string UpgradeBackup::BackupRoot() const { return ParentOf(folder_); }

std::string UpgradeBackup::SavedPath(const std::string& file) const {
    // "C:\WinKorv\A.EXE" is kept as FISIERE\C\WinKorv\A.EXE, a file of
    // "\\server\share" as FISIERE\UNC\server\share\...
    std::string rest;
    if (file.size() > 2 && file[1] == ':') {
        rest = std::string(1, file[0]) + file.substr(2);
    } else if (file.rfind("\\\\", 0) == 0) {
        rest = "UNC" + file.substr(1);
    } else {
        rest = "\\" + file;
    }
    return folder_ + "\\FISIERE\\" + (rest.front() == '\\' ? rest.substr(1) : rest);
}

void UpgradeBackup::SaveReplaced(const std::string& file) {
    const std::string key = UpperAscii(file);
    if (saved_.count(key) || added_.count(key)) return;
    if (!PutFile(file, SavedPath(file))) {
        throw BackupFailure("Nu pot salva fisierul " + file + "\rin copia de siguranta din " + folder_ + ".");
    }
    Append("INLOCUIT", file);
    saved_.insert(key);
    replacedFiles_.push_back(file);
    DebugNote("Copie de siguranta: " + file);
}

void UpgradeBackup::NoteAdded(const std::string& file) {
    const std::string key = UpperAscii(file);
    if (saved_.count(key) || added_.count(key)) return;
    Append("ADAUGAT", file);
    added_.insert(key);
    addedFiles_.push_back(file);
}

void UpgradeBackup::NoteAddedFolder(const std::string& folder) {
    for (const std::string& known : addedFolders_)
        if (SamePath(known, folder)) return;
    Append("DOSAR", folder);
    addedFolders_.push_back(folder);
}

void UpgradeBackup::SaveDataFolder(const std::string& dataFolder) {
    if (!dataFolder_.empty()) return;  // saved before the first step ran: that copy is the one to keep
    const std::string source = WithoutFinalBackslash(dataFolder);
    DebugNote("Copie de siguranta a datelor din " + source);
    for (const std::string& file : FilesBelow(source, BackupRoot())) {
        if (!PutFile(source + "\\" + file, folder_ + "\\DATE\\" + file)) {
            throw BackupFailure("Nu pot salva fisierul " + source + "\\" + file + "\rin copia de siguranta din " +
                                folder_ + ".");
        }
    }
    Append("DATE", source);
    dataFolder_ = source;
}

void UpgradeBackup::Finish() {
    DeleteFileA((folder_ + "\\" + kMarker).c_str());
    ForgetUnfinished(folder_);
    DebugNote("Actualizare terminata; copia de siguranta ramane in " + folder_);
    // The newest names sort last; a backup whose run did not end is kept.
    std::vector<std::string> backups;
    for (const WIN32_FIND_DATAA& entry : ListFolder(BackupRoot())) {
        const std::string path = BackupRoot() + "\\" + entry.cFileName;
        if (IsFolderEntry(entry) && !IsLinkEntry(entry) && FileExists(path + "\\" + kList) &&
            !FileExists(path + "\\" + kMarker))
            backups.push_back(path);
    }
    std::sort(backups.begin(), backups.end());
    for (std::size_t old = 0; old + kBackupsKept < backups.size(); ++old) {
        DebugNote("Copie de siguranta veche stearsa: " + backups[old]);
        RemoveTree(backups[old]);
    }
}

bool UpgradeBackup::Restore(const RetryQuestion& retry) {
    DebugBegin("Restaurare din " + folder_);
    const auto attempt = [&](const std::string& file, const std::function<bool()>& act, const char* done) {
        while (!act()) {
            DebugNote("Restaurare: nu pot reface " + file);
            if (!retry(file)) return false;
        }
        DebugNote(std::string(done) + file);
        return true;
    };
    bool whole = true;
    if (!dataFolder_.empty()) {
        const std::string copy = folder_ + "\\DATE";
        // What the data folder holds that its copy does not came after it.
        for (const std::string& file : FilesBelow(dataFolder_, BackupRoot())) {
            if (FileExists(copy + "\\" + file)) continue;
            const std::string path = dataFolder_ + "\\" + file;
            whole = whole && attempt(
                                 path, [&] { return RemoveFile(path); }, "Sters: ");
        }
        for (const std::string& file : FilesBelow(copy)) {
            const std::string path = dataFolder_ + "\\" + file;
            whole = whole && attempt(
                                 path, [&] { return PutFile(copy + "\\" + file, path); }, "Pus inapoi: ");
        }
    }
    for (const std::string& file : replacedFiles_)
        whole = whole && attempt(
                             file, [&] { return PutFile(SavedPath(file), file); }, "Pus inapoi: ");
    for (const std::string& file : addedFiles_)
        whole = whole && attempt(
                             file, [&] { return RemoveFile(file); }, "Sters: ");
    if (whole) {
        for (auto folder = addedFolders_.rbegin(); folder != addedFolders_.rend(); ++folder)
            if (RemoveDirectoryA(folder->c_str())) DebugNote("Sters: " + *folder);
        DeleteFileA((folder_ + "\\" + kMarker).c_str());
        ForgetUnfinished(folder_);
    }
    DebugNote(whole ? "Restaurare terminata" : "Restaurare oprita: copia de siguranta ramane de folosit");
    DebugEnd("Restaurare din " + folder_);
    return whole;
}

std::optional<std::string> UpgradeBackup::Unfinished() {
    char named[MAX_PATH * 2] = {};
    GetProfileStringA(kIniSection, kIniKey, "", named, sizeof named);
    if (named[0] == '\0' || !FileExists(std::string(named) + "\\" + kMarker)) return std::nullopt;
    return std::string(named);
}

std::uint64_t UpgradeBackup::SizeOf(const std::string& path, const std::string& except) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    std::uint64_t total = 0;
    for (const std::string& file : FilesBelow(path, except)) total += SizeOf(WithoutFinalBackslash(path) + "\\" + file);
    return total;
}
