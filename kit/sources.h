// The files that go into one archive: every file under the folders of a
// component (or of the upgrade archive), named by its path below its folder
// with "/" separators, as the archive stores it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "kit/kit_description.h"

namespace korven::kit {

struct ArchiveSource {
    std::string memberName;  // "NEW/DATA/X.DB"
    std::filesystem::path file;
};

// Members sorted by name, so that an archive does not depend on the order in
// which a file system lists its folders. KitError, naming the archive and the
// lines, for a member that two folders both hold (names compare without regard
// to case, as on the disk they are extracted to), for a name the installer
// could not create on Windows, and for an archive without files.
std::vector<ArchiveSource> GatherArchiveSources(const std::string& archiveName,
                                                const std::vector<SourceFolder>& folders);

}  // namespace korven::kit
