#include "copy/upgrade_copy_page.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "core/text.h"
#include "core/debug_log.h"

namespace {

bool StartsWith(std::string_view text, std::string_view start) { return text.substr(0, start.size()) == start; }

}  // namespace

const ClassInfo& TUpgCopy::StaticClass() {
    static const ClassInfo info = ClassBuilder<TUpgCopy>("TUpgCopy", &TCopy::StaticClass()).Build();
    return info;
}

TUpgCopy::TUpgCopy(TComponent* owner) : TCopy(owner, UpgradeSets) {}

bool TUpgCopy::ExtractArchives() {
    folder_.clear();
    return ExtractSelected(
        [this](const TCompRecord& component, const std::string&) -> std::optional<std::string> {
            switch (component.CompTarget) {
            case ctProgram: folder_ = InstallSettings.ProgramDir; break;
            case ctData:
            case ctNewData: folder_ = InstallSettings.DataDir; break;
            case ctEngine: break;  // an upgrade brings no engine: the folder stays as it was
            }
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
    const bool replace = programTarget_ ? !StartsWith(rest, "IDAPI") : StartsWith(rest, "\\NEW");
    DebugNote(replace ? "Confirmat" : "NU!!!");
    return replace;
}
