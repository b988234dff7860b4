#include "copy/upgrade_copy_page.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string_view>

#include "copy/archive_survey.h"
#include "copy/disk_space.h"
#include "copy/copy_messages.h"
#include "copy/files_in_use.h"
#include "copy/written_files.h"
#include "core/debug_log.h"
#include "core/upgrade_backup.h"
#include "core/report_failure.h"
#include "core/text.h"
#include "core/uninstaller_file.h"
#include "core/version.h"
#include "framework/application.h"

namespace {

bool StartsWith(std::string_view text, std::string_view start) { return text.substr(0, start.size()) == start; }

// The overwrite rules, on the member's upper-case path below the target
// folder: in the program folder everything but the engine's own files, in
// the data folder only the sample database under NEW.
bool ReplacesExisting(std::string_view rest, bool programTarget) {
    return programTarget ? !StartsWith(rest, "IDAPI") : StartsWith(rest, "\\NEW");
}

// A component's target folder; an upgrade brings no engine, so a row of
// another kind keeps the folder of the row before it.
std::string TargetFolder(const TCompRecord& component, const std::string& previous) {
    switch (component.CompTarget) {
    case ctProgram: return InstallSettings.ProgramDir;
    case ctData:
    case ctNewData: return InstallSettings.DataDir;
    case ctEngine: break;
    }
    return previous;
}

bool IsFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// What the archives will do to the earlier installation: the files they
// replace, and the files and folders they add (folders outermost first).
struct UpgradePlan {
    std::vector<std::string> replaced, addedFiles, addedFolders;
};

void NoteNewFolders(const std::string& path, std::vector<std::string>& folders) {
    const std::size_t slash = path.find_last_of('\\');
    if (slash == std::string::npos || slash < 3) return;
    const std::string parent = path.substr(0, slash);
    if (IsFolder(parent) || std::find(folders.begin(), folders.end(), parent) != folders.end()) return;
    NoteNewFolders(parent, folders);
    folders.push_back(parent);
}

UpgradePlan PlanUpgrade(const std::vector<SurveyedArchive>& archives) {
    UpgradePlan plan;
    std::string folder;
    for (const SurveyedArchive& archive : archives) {
        folder = TargetFolder(*archive.component, folder);
        const std::string base = folder.empty() || folder.back() == '\\' ? folder : folder + "\\";
        const bool programTarget = archive.component->CompTarget == ctProgram;
        for (const ArchiveMember& member : archive.members) {
            std::string path = base + member.name;
            if (IsFile(path)) {
                if (ReplacesExisting(UpperAscii(path.substr(folder.size())), programTarget))
                    plan.replaced.push_back(path);
            } else if (!path.empty() && path.back() == '\\') {
                path.pop_back();
                if (!IsFolder(path)) {
                    NoteNewFolders(path, plan.addedFolders);
                    plan.addedFolders.push_back(path);
                }
            } else if (!IsFolder(path)) {
                NoteNewFolders(path, plan.addedFolders);
                plan.addedFiles.push_back(path);
            }
        }
    }
    return plan;
}

// The installation's record and uninstaller are replaced after the files:
// the backup puts the old ones back, or removes them when the installation
// had none.
void PlanRecordReplacement(UpgradePlan& plan) {
    for (const std::string& path :
         {InstallationRecordPath(InstallSettings.ProgramDir), UninstallerPath(InstallSettings.ProgramDir)}) {
        if (IsFile(path))
            plan.replaced.push_back(path);
        else
            plan.addedFiles.push_back(path);
    }
}

// The record of the installation being upgraded; one made before records
// existed has none, and one is begun from what the installation search
// found.
InstallationRecord EarlierRecord() {
    std::string problem;
    if (std::optional<InstallationRecord> record = ReadInstallationRecord(InstallSettings.ProgramDir, &problem))
        return *record;
    DebugNote("Instalarea nu are o inregistrare folosibila (" + problem + "): incep una noua");
    InstallationRecord record;
    record.type = InstallSettings.InstallType;
    record.programDir = WithoutFinalBackslash(InstallSettings.ProgramDir);
    record.dataDir = WithoutFinalBackslash(InstallSettings.DataDir);
    // It was found through its aliases, and took the engine one way or the
    // other: lowering the use count is right either way, removing an
    // engine that may be another's is not.
    record.engine = EngineUse::Raised;
    for (std::size_t i = 0; i < InstallSettings.AliasNames.size(); ++i)
        record.aliases.push_back(
            {InstallSettings.AliasNames[i], InFolder(InstallSettings.DataDir, InstallSettings.AliasDirs[i])});
    return record;
}

// What the upgrade wrote, in the installation's record, with the kit's
// version; the record and the uninstaller of this version are then put in
// place. A failure is told: the upgraded programs work, only their removal
// is not up to date.
void RecordUpgrade(InstallationRecord record, const WrittenFiles& written,
                   const std::vector<std::string>& foldersAdded) {
    record.kitVersion = KORVEN_VERSION_TEXT;
    for (const std::string& folder : foldersAdded)
        if (IsFolder(folder)) RecordFolder(record, folder);
    for (RecordedFile& file : written.Recorded()) RecordFile(record, std::move(file));
    InstallSettings.Installed = record;
    const auto tell = [](const std::string& what) {
        ReportFailure("Dezinstalarea nu este adusa la zi: " + what,
                      what +
                          "\r\rKORVEN este actualizat si functioneaza; dezinstalarea\r"
                          "lui nu va sterge fisierele noi ale actualizarii.",
                      {"Eroare...", {mbOK}, mbOK});
    };
    DebugBegin("WriteInstallationRecord");
    const bool recordWritten = WriteInstallationRecord(record);
    DebugNote(InstallationRecordPath(record.programDir) + ": " + std::to_string(record.files.size()) + " fisiere");
    DebugEnd("WriteInstallationRecord");
    if (!recordWritten) {
        tell("Nu pot scrie inregistrarea instalarii\r" + InstallationRecordPath(record.programDir));
        return;
    }
    DebugBegin("PlaceUninstaller");
    std::string problem;
    const bool placed = PlaceUninstaller(record.programDir, &problem);
    DebugNote(placed ? UninstallerPath(record.programDir) : problem);
    DebugEnd("PlaceUninstaller");
    if (!placed) tell("Nu pot scrie programul de dezinstalare\r" + UninstallerPath(record.programDir) + "\r" + problem);
}

// The backup's need on the program folder's drive: the files it saves now
// and the data folder it saves before the database is changed.
SpaceNeeds BackupNeeds(const std::vector<std::string>& replaced) {
    std::uint64_t bytes =
        UpgradeBackup::SizeOf(InstallSettings.DataDir, WithBackslash(InstallSettings.ProgramDir) + "BACKUP");
    for (const std::string& file : replaced) bytes += UpgradeBackup::SizeOf(file);
    return {{DriveRootOf(InstallSettings.ProgramDir), bytes}};
}

// Saves what the upgrade replaces and notes what it adds, in the backup of
// this run (begun here, or the one begun when this page ran before).
void BackUp(const UpgradePlan& plan) {
    UpgradeBackup backup = InstallSettings.BackupFolder.empty() ? UpgradeBackup::Begin(InstallSettings.ProgramDir)
                                                                : UpgradeBackup(InstallSettings.BackupFolder);
    InstallSettings.BackupFolder = backup.Folder();
    for (const std::string& folder : plan.addedFolders) backup.NoteAddedFolder(folder);
    for (const std::string& file : plan.addedFiles) backup.NoteAdded(file);
    for (const std::string& file : plan.replaced) backup.SaveReplaced(file);
}

}  // namespace

const ClassInfo& TUpgCopy::StaticClass() {
    static const ClassInfo info = ClassBuilder<TUpgCopy>("TUpgCopy", &TCopy::StaticClass()).Build();
    return info;
}

TUpgCopy::TUpgCopy(TComponent* owner) : TCopy(owner, UpgradeSets) {}

bool TUpgCopy::ExtractArchives() {
    // Nothing of the earlier installation is replaced before every archive
    // has shown that it is there and whole.
    const std::vector<SurveyedArchive> archives =
        SurveyArchives(InstallSettings.DefaultProgramDir, SelectedComponents(), &TCopy::IsOptionalModule);
    UpgradePlan plan = PlanUpgrade(archives);
    PlanRecordReplacement(plan);
    const InstallationRecord earlier = EarlierRecord();
    for (std::vector<std::string> inUse; !(inUse = FilesInUse(plan.replaced)).empty();) {
        if (Application().Terminated() || !AskRetryFilesInUse(inUse)) return false;
    }
    // Saved with their read-only marks, which are lifted only for the copy.
    std::optional<ReadOnlyLifted> writable;
    const auto backUp = [&plan, &writable] {
        BackUp(plan);
        writable.emplace(plan.replaced);
    };

    folder_.clear();
    const bool whole = ExtractSelected(
        [this, &archives](const TCompRecord& component, const std::string&) -> std::optional<std::string> {
            const bool surveyed = std::any_of(archives.begin(), archives.end(), [&](const SurveyedArchive& archive) {
                return archive.component == &component;
            });
            if (!surveyed) return std::nullopt;  // an optional module the kit does not bring
            folder_ = TargetFolder(component, folder_);
            folderLength_ = folder_.size();
            programTarget_ = component.CompTarget == ctProgram;
            return folder_;
        },
        [this](const korven::unzip::ReportRecord& record) { return ConfirmOverwrite(record); },
        BackupNeeds(plan.replaced), backUp);
    if (!whole || Application().Terminated()) return false;
    RecordUpgrade(earlier, Written(), plan.addedFolders);
    return true;
}

bool TUpgCopy::ConfirmOverwrite(const korven::unzip::ReportRecord& record) {
    // The member's path below the target folder: it starts with "\" when the
    // folder was handed over without its final backslash, and with the
    // member's own path when it was handed over with it. The rules below
    // take both forms as they come.
    const std::string_view target(record.name);
    const std::string rest = UpperAscii(std::string(target.substr(std::min(folderLength_, target.size()))));
    DebugNote("Confirmare pentru: " + rest);
    const bool replace = ReplacesExisting(rest, programTarget_);
    DebugNote(replace ? "Confirmat" : "NU!!!");
    return replace;
}
