// The upgrade's archives looked over before any of them is extracted: each
// selected component's archive is opened and its whole directory read, so
// that a missing or damaged archive stops the upgrade while every file of
// the earlier installation is still as it was. What the directories hold
// (members and their sizes) is what the later checks of the upgrade work on.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/settings.h"

struct ArchiveMember {
    std::string name;        // as stored, "\" between folders
    std::uint64_t size = 0;  // uncompressed
};

struct SurveyedArchive {
    const TCompRecord* component = nullptr;
    std::string path;
    std::vector<ArchiveMember> members;
};

// The archives `archiveFolder`\COMPONENT.ZIP of the selected components, in
// table order. An archive that is missing and `optional` (by its upper-case
// file name) is left out. Throws CopyFailure naming the first other archive
// that is missing or whose directory cannot be read whole.
std::vector<SurveyedArchive> SurveyArchives(const std::string& archiveFolder, TCompSet selected,
                                            const std::function<bool(const std::string& archiveName)>& optional);
