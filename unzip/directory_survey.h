// A look over a whole central directory before anything of an archive is
// extracted: how many members match the pattern, how much of the directory
// could be read, and which members have stored data that overlaps another
// member's. Several entries pointing into the same bytes let a small archive
// expand a thousandfold; no archive written by a ZIP program does that, so
// such members are damaged and none of them is extracted.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "unzip/zip_types.h"

namespace korven::unzip {

struct DirectorySurvey {
    DirectoryState state = DirectoryState::kUnreadable;
    int32_t matching = 0;           // entries whose name matches the pattern
    std::vector<bool> overlapping;  // by entry index, in directory order
};

DirectorySurvey SurveyDirectory(const std::string& archivePath, const std::string& pattern);

}  // namespace korven::unzip
