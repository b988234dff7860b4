#include "kit/disk_plan.h"

#include <algorithm>

#include "kit/kit_error.h"
#include "kit/kit_files.h"

namespace korven::kit {
namespace {

void PlaceFixedFiles(Disk& disk, const std::vector<SizedFile>& fixedFiles) {
    for (size_t index = 0; index < fixedFiles.size(); ++index) {
        disk.push_back({Placement::Kind::kFixed, fixedFiles[index].name, index, 0, fixedFiles[index].size});
    }
}

Placement Marker(size_t disk, uint64_t size) { return {Placement::Kind::kMarker, MarkerName(disk), 0, 0, size}; }

uint64_t UsedBytes(const Disk& disk) {
    uint64_t used = 0;
    for (const Placement& file : disk) used += file.size;
    return used;
}

}  // namespace

std::vector<Disk> PlanOneFolder(const std::vector<SizedFile>& fixedFiles, const std::vector<SizedFile>& archives,
                                uint64_t markerSize) {
    Disk folder;
    PlaceFixedFiles(folder, fixedFiles);
    folder.push_back(Marker(1, markerSize));
    for (size_t index = 0; index < archives.size(); ++index) {
        folder.push_back({Placement::Kind::kPiece, PieceName(archives[index].name, 1), index, 0, archives[index].size});
    }
    return {folder};
}

uint64_t FirstDiskBytes(const std::vector<SizedFile>& fixedFiles, uint64_t firstMarkerSize) {
    uint64_t bytes = firstMarkerSize;
    for (const SizedFile& file : fixedFiles) bytes += file.size;
    return bytes;
}

std::vector<Disk> PlanDisks(const std::vector<SizedFile>& fixedFiles, const std::vector<SizedFile>& archives,
                            uint64_t capacity, const std::function<uint64_t(size_t)>& markerSize) {
    std::vector<Disk> disks(1);
    PlaceFixedFiles(disks[0], fixedFiles);
    disks[0].push_back(Marker(1, markerSize(1)));
    uint64_t needed = UsedBytes(disks[0]);
    if (needed > capacity) return {};
    uint64_t free = capacity - needed;

    auto nextDisk = [&] {
        size_t number = disks.size() + 1;
        uint64_t marker = markerSize(number);
        if (marker >= capacity) {
            throw KitError("un disc de " + std::to_string(capacity) + " octeti nu tine decat marcajul " +
                           MarkerName(number));
        }
        disks.push_back({Marker(number, marker)});
        free = capacity - marker;
    };

    for (size_t index = 0; index < archives.size(); ++index) {
        uint64_t offset = 0;
        size_t piece = 1;
        // An archive of no bytes still gets its ".1" piece, which begins it.
        do {
            if (free == 0) nextDisk();
            uint64_t size = std::min(free, archives[index].size - offset);
            disks.back().push_back(
                {Placement::Kind::kPiece, PieceName(archives[index].name, piece), index, offset, size});
            offset += size;
            free -= size;
            ++piece;
        } while (offset < archives[index].size);
    }
    return disks;
}

}  // namespace korven::kit
