// Extracting the selected components' archives, in the order of the
// component table, each into its own folder, with the unzip component. An
// archive that does not come out whole is told to the page, which lets the
// user go on or abandon.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "copy/extraction_gauge.h"
#include "core/settings.h"
#include "unzip/quill_unzip.h"

struct ExtractionHooks {
    // The component whose archive is next (before its folder is chosen).
    std::function<void(const TCompRecord& component)> componentStarting;
    // The folder for a component's archive; nothing passes the row over.
    std::function<std::optional<std::string>(const TCompRecord& component, const std::string& archive)> targetFolder;
    // The archive did not come out whole (`shortfall` says how): true to go on.
    std::function<bool(const TCompRecord& component, const std::string& archive, const std::string& shortfall)>
        goOnAfterDamage;
    korven::unzip::ReportProc report;      // every report of the unzip component
    korven::unzip::QuestionFunc question;  // empty: existing files are overwritten
};

// The archives are `archiveFolder`\COMPONENT.ZIP. `progress` is started
// with the bytes of all of them. False when the user abandoned.
bool ExtractComponents(const std::string& archiveFolder, TCompSet selected, const ExtractionHooks& hooks,
                       ExtractionProgress& progress);
