// Where every file of a kit goes: which disk, in which order, and for an
// archive split over disks, which bytes each piece holds. Only sizes and
// names here; nothing is read or written.
//
// Disk 1 begins with INSTALL.EXE, INSTALL.CFG and UPGRADE.1, which the
// installer's start-up copies whole, then its marker; every later disk begins
// with its marker. The archives follow in the order given, each filling the
// disk it starts on and going on at the next, so an archive has at most one
// piece on a disk and its pieces are joined back, disk after disk, in the
// order of their numbers.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace korven::kit {

// A file of the kit as a name and its bytes (INSTALL.EXE, a whole archive).
struct SizedFile {
    std::string name;
    uint64_t size = 0;
};

struct Placement {
    enum class Kind { kFixed, kMarker, kPiece };
    Kind kind = Kind::kFixed;
    std::string fileName;  // as it lies on the disk: "INSTALL.EXE", "DISK2", "EXE.3"
    size_t source = 0;     // kFixed: index of the fixed file; kPiece: of the archive
    uint64_t offset = 0;   // kPiece: first byte of the archive in this piece
    uint64_t size = 0;     // bytes of the file
};

using Disk = std::vector<Placement>;

// Every file in one folder, each archive as its ".1" piece.
std::vector<Disk> PlanOneFolder(const std::vector<SizedFile>& fixedFiles, const std::vector<SizedFile>& archives,
                                uint64_t markerSize);

// Bytes that disk 1 needs before any piece: the fixed files and its marker.
uint64_t FirstDiskBytes(const std::vector<SizedFile>& fixedFiles, uint64_t firstMarkerSize);

// Disks of `capacity` bytes, counting every file's bytes. `markerSize(n)` is
// the size of disk n's marker. Empty when the fixed files and the first
// marker do not fit on disk 1; KitError when a disk cannot hold more than its
// marker.
std::vector<Disk> PlanDisks(const std::vector<SizedFile>& fixedFiles, const std::vector<SizedFile>& archives,
                            uint64_t capacity, const std::function<uint64_t(size_t)>& markerSize);

}  // namespace korven::kit
