// Whether a file on the disk is still the one an installation put there:
// the same size and CRC-32 (the ZIP application note's, which the record
// holds for every file it extracted).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct FileFingerprint {
    std::uint64_t size = 0;
    std::uint32_t crc = 0;
};

// The file's size and CRC-32; nothing when it cannot be read.
std::optional<FileFingerprint> FingerprintOf(const std::string& path);
