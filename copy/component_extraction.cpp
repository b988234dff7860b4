#include "copy/component_extraction.h"

#include "copy/extraction_check.h"

using korven::unzip::TQuillUnzip;

namespace {

std::string ArchiveIn(const std::string& folder, const TCompRecord& component) {
    std::string path = folder;
    if (!path.empty() && path.back() != '\\') path += '\\';
    return path + component.CompName + ".ZIP";
}

template <class Visit>
void ForEachSelected(TCompSet selected, Visit visit) {
    for (int row = 0; row < ComponentCount; ++row) {
        const TCompRecord& component = Components[row];
        if (InSet(selected, row) && component.CompName[0] != '\0') visit(component);
    }
}

}  // namespace

bool ExtractComponents(const std::string& archiveFolder, TCompSet selected, const ExtractionHooks& hooks,
                       ExtractionProgress& progress) {
    TQuillUnzip unzip;
    unzip.SetReportProc(hooks.report);
    if (hooks.question) unzip.SetQuestionFunc(hooks.question);

    double expected = 0;
    ForEachSelected(selected, [&](const TCompRecord& component) {
        unzip.SetFileName(ArchiveIn(archiveFolder, component));
        expected += unzip.ContentSize();
    });
    progress.Start(expected);

    bool goOn = true;
    ForEachSelected(selected, [&](const TCompRecord& component) {
        if (!goOn) return;
        hooks.componentStarting(component);
        const std::string archive = ArchiveIn(archiveFolder, component);
        const std::optional<std::string> folder = hooks.targetFolder(component, archive);
        if (!folder) return;
        unzip.SetFileName(archive);
        unzip.SetDirectoryName(*folder);
        const std::int32_t extracted = unzip.Extract();
        const std::optional<std::string> shortfall =
            ExtractionShortfall(extracted, unzip.Directory(), unzip.MatchingMembers());
        if (shortfall) goOn = hooks.goOnAfterDamage(component, archive, *shortfall);
    });
    return goOn;
}
