#include "uninstall/removal.h"

#include <windows.h>

#include <algorithm>

#include "core/debug_log.h"
#include "core/files.h"
#include "core/folder_listing.h"
#include "core/settings.h"
#include "core/text.h"
#include "core/file_crc.h"

namespace {

bool SamePath(const std::string& a, const std::string& b) {
    return UpperAscii(WithoutFinalBackslash(a)) == UpperAscii(WithoutFinalBackslash(b));
}

// True when `path` lies inside `folder` (not the folder itself).
bool IsBelow(const std::string& path, const std::string& folder) {
    const std::string prefix = UpperAscii(WithBackslash(WithoutFinalBackslash(folder)));
    const std::string inside = UpperAscii(path);
    return inside.size() > prefix.size() && inside.starts_with(prefix);
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// A read-only file is deleted all the same: it is ours.
bool DeleteOurFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    return DeleteFileA(path.c_str()) != 0;
}

std::size_t Depth(const std::string& folder) {
    return static_cast<std::size_t>(std::count(folder.begin(), folder.end(), '\\'));
}

}  // namespace

std::optional<InstallationRecord> RecordForRemoval(const std::string& programDir, std::string& problem) {
    std::string why;
    std::optional<InstallationRecord> record = ReadInstallationRecord(programDir, &why);
    if (record && !SamePath(record->programDir, programDir)) {
        why = "inregistrarea este a instalarii din " + record->programDir + ", nu din " + programDir;
        record.reset();
    }
    if (!record)
        problem = "Nu pot dezinstala KORVEN: " + why + ".\r\rInregistrarea instalarii (" +
                  std::string(InstallationRecordName) + ") spune ce trebuie sters; fara ea nu sterg nimic.";
    return record;
}

InstallationRemoval::InstallationRemoval(InstallationRecord record, bool removeData, UninstallSystemSteps steps,
                                         std::string uninstaller)
    : record_(std::move(record)),
      removeData_(removeData && record_.type != itClient),
      steps_(std::move(steps)),
      uninstaller_(std::move(uninstaller)) {}

int InstallationRemoval::StepCount() const {
    // Each file, the data, the group and aliases, the engine, the folders,
    // the entry and the record.
    return static_cast<int>(record_.files.size()) + 5;
}

void InstallationRemoval::Step() {
    ++done_;
    if (progress_ && *progress_) (*progress_)(done_);
}

void InstallationRemoval::Fail(const std::string& what) {
    DebugNote("Nu s-a putut: " + what);
    outcome_.failures.push_back(what);
}

void InstallationRemoval::Run(const std::function<void(int)>& progress) {
    progress_ = &progress;
    done_ = 0;
    DebugBegin("Dezinstalare");
    DebugNote("Program: " + record_.programDir + ", date: " + record_.dataDir +
              (removeData_ ? ", datele se sterg" : ", datele raman"));
    if (record_.type == itClient) DebugNote("Instalare CLIENT: datele sunt ale serverului si raman");
    RemoveFiles(Part::Program, false);
    RemoveData();
    Step();
    RemoveGroupAndAliases();
    Step();
    RemoveEngine();
    Step();
    RemoveFolders(false);
    Step();
    DebugNote("C:\\CONFIG.SYS ramane neschimbat (FILES=255 ramane)");
    DebugNote("Setarile programului din WIN.INI ([Korven]) raman");
    RemoveEntryAndRecord();
    Step();
    DebugEnd("Dezinstalare");
    progress_ = nullptr;
}

InstallationRemoval::Part InstallationRemoval::PartOf(const RecordedFile& file) {
    const std::optional<int> row = ComponentRow(file.component);
    switch (row ? Components[*row].CompTarget : ctProgram) {
    case ctEngine: return Part::Engine;
    case ctData:
    case ctNewData: return Part::Data;
    case ctProgram: break;
    }
    return Part::Program;
}

void InstallationRemoval::RemoveFiles(Part part, bool evenChanged) {
    for (const RecordedFile& file : record_.files)
        if (PartOf(file) == part) {
            RemoveFile(file, evenChanged);
            Step();
        }
}

void InstallationRemoval::KeepFiles(Part part) {
    for (const RecordedFile& file : record_.files)
        if (PartOf(file) == part) {
            left_.push_back(file);
            Step();
        }
}

void InstallationRemoval::RemoveFile(const RecordedFile& file, bool evenChanged) {
    const std::string path = FullPathOf(record_, file);
    if (SamePath(path, uninstaller_)) return;  // it goes last, once it no longer runs
    if (!FileExists(path)) {
        DebugNote("Lipsea deja: " + path);
        return;
    }
    if (!evenChanged) {
        const std::optional<FileFingerprint> print = FingerprintOf(path);
        if (!print) {
            Fail("fisierul " + path + " nu poate fi citit");
            left_.push_back(file);
            return;
        }
        if (print->size != file.size || print->crc != file.crc) {
            DebugNote("Pastrat, modificat dupa instalare: " + path);
            outcome_.changedKept.push_back(path);
            return;
        }
    }
    if (DeleteOurFile(path)) {
        DebugNote("Sters: " + path);
        ++outcome_.filesRemoved;
        return;
    }
    Fail("fisierul " + path + " nu poate fi sters (este folosit de un program?)");
    left_.push_back(file);
}

void InstallationRemoval::RemoveTree(const std::string& folder) {
    for (const WIN32_FIND_DATAA& entry : ListFolder(folder)) {
        const std::string path = InFolder(folder, entry.cFileName);
        // A link is removed itself, never entered.
        if (IsFolderEntry(entry) && !IsLinkEntry(entry)) {
            RemoveTree(path);
        } else if (IsFolderEntry(entry)) {
            if (!RemoveDirectoryA(path.c_str())) Fail("legatura " + path + " nu poate fi stearsa");
        } else if (DeleteOurFile(path)) {
            DebugNote("Sters: " + path);
            ++outcome_.filesRemoved;
        } else {
            Fail("fisierul " + path + " nu poate fi sters (este folosit de un program?)");
        }
    }
    if (RemoveDirectoryA(folder.c_str()))
        DebugNote("Sters: " + folder);
    else
        Fail("folderul " + folder + " nu poate fi sters");
}

void InstallationRemoval::RemoveData() {
    if (!removeData_) {
        DebugNote("Datele raman: " + record_.dataDir);
        KeepFiles(Part::Data);
        return;
    }
    DebugBegin("Stergere date");
    const std::size_t failuresBefore = outcome_.failures.size();
    // The data are the customer's database as a whole: the alias folders go
    // with all they hold, whatever changed in them.
    for (const std::string& alias : TInstallSettings{}.AliasDirs) {
        const std::string folder = InFolder(record_.dataDir, alias);
        if (IsFolder(folder)) RemoveTree(folder);
    }
    RemoveFiles(Part::Data, true);
    const std::string backups = InFolder(record_.programDir, "BACKUP");
    if (IsFolder(backups)) RemoveTree(backups);
    const std::string newFolder = InFolder(record_.dataDir, "NEW");
    if (IsFolder(newFolder) && RemoveDirectoryA(newFolder.c_str())) DebugNote("Sters: " + newFolder);
    outcome_.dataRemoved = outcome_.failures.size() == failuresBefore;
    DebugEnd("Stergere date");
}

void InstallationRemoval::RemoveGroupAndAliases() {
    if (!record_.group.empty()) {
        if (steps_.removeProgramGroup(record_.group)) {
            DebugNote("Sters grupul de programe " + record_.group);
            record_.group.clear();
            record_.items.clear();
        } else {
            Fail("grupul de programe " + record_.group + " nu poate fi sters");
        }
    }
    if (record_.aliases.empty()) return;
    std::vector<std::string> names;
    std::string list;
    for (const RecordedAlias& alias : record_.aliases) {
        names.push_back(alias.name);
        list += (list.empty() ? "" : ", ") + alias.name;
    }
    if (steps_.removeAliases(names)) {
        DebugNote("Sterse aliasurile " + list);
        record_.aliases.clear();
    } else {
        Fail("aliasurile " + list + " nu pot fi sterse");
    }
}

void InstallationRemoval::RemoveEngine() {
    if (record_.engine == EngineUse::None) {
        // Extracted but never registered: nobody else counts on these files.
        RemoveFiles(Part::Engine, false);
        return;
    }
    outcome_.engineUseCount = steps_.lowerEngineUseCount();
    if (!outcome_.engineUseCount) {
        Fail("numarul de folosiri al motorului bazei de date (UseCount) nu poate fi micsorat");
        KeepFiles(Part::Engine);
        return;
    }
    const std::int64_t count = *outcome_.engineUseCount;
    DebugNote("UseCount al motorului: " + std::to_string(count));
    if (count > 0 || record_.engine == EngineUse::Raised) {
        DebugNote(count > 0 ? "Motorul ramane: il folosesc si alte programe"
                            : "Motorul ramane: nu a fost pus de aceasta instalare");
        record_.engine = EngineUse::None;
        KeepFiles(Part::Engine);
        return;
    }
    const std::size_t failuresBefore = outcome_.failures.size();
    RemoveFiles(Part::Engine, false);
    if (steps_.unregisterEngine())
        DebugNote("Stearsa inregistrarea motorului bazei de date");
    else
        Fail("inregistrarea motorului bazei de date nu poate fi stearsa");
    if (outcome_.failures.size() == failuresBefore) {
        outcome_.engineRemoved = true;
        record_.engine = EngineUse::None;
    }
}

void InstallationRemoval::RemoveFolders(bool holdingUninstaller) {
    std::vector<std::string> folders = record_.folders;
    folders.push_back(record_.programDir);
    std::stable_sort(folders.begin(), folders.end(),
                     [](const std::string& a, const std::string& b) { return Depth(a) > Depth(b); });
    std::vector<std::string> aliasFolders;
    for (const std::string& alias : TInstallSettings{}.AliasDirs)
        aliasFolders.push_back(InFolder(record_.dataDir, alias));
    // The data, where they stay, and the engine, where it stays, are not the
    // user's own files that keep a folder.
    const auto keptData = [&](const std::string& folder) {
        if (removeData_) return false;
        if (SamePath(folder, record_.programDir))
            return SamePath(record_.dataDir, folder) || IsBelow(record_.dataDir, folder);
        for (const std::string& alias : aliasFolders)
            if (SamePath(folder, alias) || IsBelow(folder, alias) ||
                (IsBelow(alias, folder) && (SamePath(folder, record_.dataDir) || IsBelow(folder, record_.dataDir))))
                return true;
        return false;
    };
    const auto keptEngine = [&](const std::string& folder) {
        return !outcome_.engineRemoved && !record_.engineDir.empty() &&
               (SamePath(folder, record_.engineDir) || IsBelow(folder, record_.engineDir) ||
                IsBelow(record_.engineDir, folder));
    };
    for (const std::string& folder : folders) {
        const bool holds = SamePath(folder, record_.programDir) || IsBelow(uninstaller_, folder);
        if (holds != holdingUninstaller || !IsFolder(folder)) continue;
        if (RemoveDirectoryA(folder.c_str())) {
            DebugNote("Sters: " + folder);
        } else if (keptData(folder)) {
            DebugNote("Ramane (datele firmei): " + folder);
        } else if (!keptEngine(folder)) {
            DebugNote("Ramane, nu este gol: " + folder);
            outcome_.foldersKept.push_back(folder);
        }
    }
}

void InstallationRemoval::RemoveEntryAndRecord() {
    if (!outcome_.Succeeded()) {
        // What is left stays recorded, so that the uninstall can run again.
        InstallationRecord left = record_;
        left.files = left_;
        if (WriteInstallationRecord(left))
            DebugNote("Inregistrarea instalarii pastreaza ce nu s-a putut sterge");
        else
            Fail("inregistrarea instalarii " + InstallationRecordPath(record_.programDir) +
                 " nu poate fi scrisa din nou");
        return;
    }
    if (steps_.removeUninstallEntry())
        DebugNote("Stearsa intrarea din lista programelor instalate");
    else
        Fail("intrarea KORVEN din lista programelor instalate nu poate fi stearsa");
    if (!outcome_.Succeeded()) return;
    const std::string path = InstallationRecordPath(record_.programDir);
    if (DeleteOurFile(path) || !FileExists(path))
        DebugNote("Sters: " + path);
    else
        Fail("inregistrarea instalarii " + path + " nu poate fi stearsa");
}

void InstallationRemoval::RemoveUninstaller() {
    if (!outcome_.Succeeded()) {
        DebugNote("Programul de dezinstalare ramane, pentru o noua incercare: " + uninstaller_);
        return;
    }
    if (!FileExists(uninstaller_) || DeleteOurFile(uninstaller_)) {
        DebugNote("Sters: " + uninstaller_);
        outcome_.uninstallerRemoved = true;
    } else if (MoveFileExA(uninstaller_.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
        DebugNote("Se sterge la urmatoarea pornire a Windows: " + uninstaller_);
    } else {
        Fail("programul de dezinstalare " + uninstaller_ + " nu poate fi sters");
    }
    RemoveFolders(true);
}
