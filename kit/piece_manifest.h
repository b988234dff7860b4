// The list of pieces that INSTALL.CFG carries after [General], one line a
// piece, so that a piece damaged on its way is known at its own disk:
//
//   [Piese]
//   EXE.1=1457664,0A1B2C3D,1     size in bytes, CRC-32 (ZIP's, 8 upper-case
//                                hex digits), number of the disk it lies on
//
// Only the numbered pieces of component archives are listed; UPGRADE.1 is
// copied whole by the start-up and is not one of them. The installer reads
// the section with the profile functions, so names of sections and keys are
// compared here without regard to case, and of a key given twice the first
// counts. A settings file without the section is a kit from before it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korven::kit {

inline constexpr const char* kManifestSection = "Piese";

struct ManifestPiece {
    std::string name;  // as on the disk: "EXE.2"
    uint64_t size = 0;
    uint32_t crc = 0;
    size_t disk = 0;  // 1-based
};

// The CRC-32 a piece is listed with.
uint32_t PieceCrc(std::string_view bytes);

// "0A1B2C3D": a CRC as its line gives it.
std::string CrcText(uint32_t crc);

// The section, with the blank line that parts it from [General], CR LF line
// ends. Every line has the same length whatever its CRC.
std::string ManifestText(const std::vector<ManifestPiece>& pieces);

struct ManifestReading {
    bool present = false;  // the section is in the file (perhaps empty)
    std::vector<ManifestPiece> pieces;
    std::vector<std::string> unreadable;  // "EXE.1=12,XYZ": lines whose value has not the form above
};

ManifestReading ReadManifest(const std::string& settings);

}  // namespace korven::kit
