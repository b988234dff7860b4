#include "copy/extraction_record.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "core/debug_log.h"
#include "core/text.h"

namespace {

enum class Standing { kNothing, kFile, kFolder, kUnknown };

// Only a name the system says is not there counts as nothing: a path that
// cannot be looked at (no right to, a drive gone) is never taken for the
// extraction's own.
Standing WhatStandsAt(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? Standing::kFolder : Standing::kFile;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? Standing::kNothing : Standing::kUnknown;
}

std::string ParentOf(const std::string& path) {
    const std::size_t last = path.find_last_of('\\');
    return last == std::string::npos ? std::string() : path.substr(0, last);
}

// "C:", "" or "\\server\share": nothing above these is ever made.
bool IsRoot(const std::string& folder) {
    if (folder.empty() || folder.back() == ':') return true;
    if (folder.rfind("\\\\", 0) != 0) return false;
    return std::count(folder.begin() + 2, folder.end(), '\\') <= 1;
}

// A read-only mark would refuse the delete or the replacement.
void LiftReadOnly(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
}

bool DeleteAnyFile(const std::string& path) {
    LiftReadOnly(path);
    return DeleteFileA(path.c_str());
}

}  // namespace

ExtractionRecord::ExtractionRecord(std::string keepRoot) : keepRoot_(std::move(keepRoot)) {}

ExtractionRecord::~ExtractionRecord() {
    for (const KeptFile& kept : kept_) {
        // After TakeBack the copies that went back are gone already.
        if (!takenBack_) DeleteAnyFile(kept.copy);
    }
    // It stays while it holds a copy that could not be put back.
    if (!keepFolder_.empty()) RemoveDirectoryA(keepFolder_.c_str());
}

void ExtractionRecord::Creating(const std::string& path) {
    std::string target = path;
    const bool folderOnly = !target.empty() && target.back() == '\\';
    while (!target.empty() && target.back() == '\\') target.pop_back();
    if (target.empty()) return;

    std::vector<std::string> missing;  // deepest first
    for (std::string folder = folderOnly ? target : ParentOf(target);
         !IsRoot(folder) && WhatStandsAt(folder) == Standing::kNothing; folder = ParentOf(folder)) {
        missing.push_back(folder);
    }
    for (auto folder = missing.rbegin(); folder != missing.rend(); ++folder) {
        if (known_.insert(UpperAscii(*folder)).second) folders_.push_back(*folder);
    }
    if (!folderOnly && WhatStandsAt(target) == Standing::kNothing && known_.insert(UpperAscii(target)).second) {
        files_.push_back(target);
    }
}

bool ExtractionRecord::MakeKeepFolder() {
    if (!keepFolder_.empty()) return true;
    for (int number = 1; number < 1000; ++number) {
        const std::string folder = InFolder(keepRoot_, "KORVKEEP." + std::to_string(number));
        if (CreateDirectoryA(folder.c_str(), nullptr)) {
            keepFolder_ = folder;
            return true;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
    }
    return false;
}

bool ExtractionRecord::KeepBeforeOverwrite(const std::string& path) {
    if (known_.contains(UpperAscii(path))) return true;  // the extraction's own, or kept already
    const std::string copy = MakeKeepFolder() ? InFolder(keepFolder_, std::to_string(kept_.size() + 1)) : "";
    if (copy.empty() || !CopyFileA(path.c_str(), copy.c_str(), TRUE)) {
        DebugNote("Nu pot pastra o copie a fisierului " + path + ": nu este inlocuit");
        if (!notKept_) notKept_ = path;
        return false;
    }
    kept_.push_back({path, copy});
    known_.insert(UpperAscii(path));
    DebugNote("Fisierul existent " + path + " este pastrat in " + copy);
    return true;
}

ExtractionRecord::Leftovers ExtractionRecord::TakeBack() {
    Leftovers left;
    if (takenBack_) return left;
    takenBack_ = true;
    DebugBegin("Anularea copierii");
    for (auto file = files_.rbegin(); file != files_.rend(); ++file) {
        if (WhatStandsAt(*file) != Standing::kFile) continue;  // never written, or removed on failure
        if (DeleteAnyFile(*file)) {
            DebugNote("Sters " + *file);
        } else {
            DebugNote("Nu pot sterge " + *file);
            left.notRemoved.push_back(*file);
        }
    }
    for (const KeptFile& kept : kept_) {
        LiftReadOnly(kept.original);
        if (MoveFileExA(kept.copy.c_str(), kept.original.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
            DebugNote("Pus la loc " + kept.original);
        } else {
            DebugNote("Nu pot pune la loc " + kept.original + "; copia lui a ramas in " + kept.copy);
            left.notRestored.push_back({kept.original, kept.copy});
        }
    }
    std::vector<std::string> folders = folders_;
    // A folder's name is longer than its parent's: the longest go first.
    std::stable_sort(folders.begin(), folders.end(),
                     [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    for (const std::string& folder : folders) {
        if (WhatStandsAt(folder) != Standing::kFolder) continue;
        if (RemoveDirectoryA(folder.c_str())) {
            DebugNote("Sters directorul " + folder);
        } else if (GetLastError() == ERROR_DIR_NOT_EMPTY) {
            DebugNote("Ramane directorul " + folder + ": nu este gol");
        } else {
            DebugNote("Nu pot sterge directorul " + folder);
            left.notRemoved.push_back(folder);
        }
    }
    DebugEnd("Anularea copierii");
    return left;
}
