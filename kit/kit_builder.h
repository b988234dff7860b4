// Builds a kit from its description: the archives of the upgrade library and
// of each component, laid out in one folder or over disks of a given size,
// with the settings file that tells the installer how many disks there are.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace korven::kit {

// A 3.5" high-density disk as DOS formats it: 2847 free clusters of 512 bytes.
inline constexpr uint64_t kFloppyCapacity = 1457664;

struct BuildOptions {
    bool disks = false;  // folders DISK1, DISK2, ... instead of one folder
    uint64_t diskSize = kFloppyCapacity;
};

struct BuildReport {
    std::string summary;                // disk, file and bytes, one line a file
    std::vector<std::string> warnings;  // a kit that builds but may not install everything
};

// Builds into `output`, which must not exist or be an empty folder. The kit is
// made beside it and moved into place only when whole, so a failure (KitError)
// leaves no half-written kit.
BuildReport BuildKit(const std::filesystem::path& description, const std::filesystem::path& output,
                     const BuildOptions& options);

}  // namespace korven::kit
