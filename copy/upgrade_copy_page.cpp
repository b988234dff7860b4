#include "copy/upgrade_copy_page.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string_view>

#include "copy/archive_survey.h"
#include "copy/copy_messages.h"
#include "copy/files_in_use.h"
#include "core/debug_log.h"
#include "core/text.h"
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

// The files of the earlier installation that the archives will replace.
std::vector<std::string> FilesToReplace(const std::vector<SurveyedArchive>& archives) {
    std::vector<std::string> files;
    std::string folder;
    for (const SurveyedArchive& archive : archives) {
        folder = TargetFolder(*archive.component, folder);
        const std::string base = folder.empty() || folder.back() == '\\' ? folder : folder + "\\";
        const bool programTarget = archive.component->CompTarget == ctProgram;
        for (const ArchiveMember& member : archive.members) {
            const std::string path = base + member.name;
            if (IsFile(path) && ReplacesExisting(UpperAscii(path.substr(folder.size())), programTarget))
                files.push_back(path);
        }
    }
    return files;
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
    const std::vector<std::string> replaced = FilesToReplace(archives);
    for (std::vector<std::string> inUse; !(inUse = FilesInUse(replaced)).empty();) {
        if (Application().Terminated() || !AskRetryFilesInUse(inUse)) return false;
    }
    const ReadOnlyLifted writable(replaced);

    folder_.clear();
    return ExtractSelected(
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
        [this](const korven::unzip::ReportRecord& record) { return ConfirmOverwrite(record); });
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
