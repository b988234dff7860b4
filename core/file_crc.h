// Whether a file on the disk is the one an installation put there: its size
// and CRC-32 (the ZIP application note's: polynomial 0xEDB88320, reflected),
// as the installation record holds them for every file it wrote.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct FileFingerprint {
    std::uint64_t size = 0;
    std::uint32_t crc = 0;
};

// The file's size and CRC-32; nothing when it cannot be read. A program
// may hold the file open meanwhile.
std::optional<FileFingerprint> FingerprintOf(const std::string& path);

// The CRC-32 alone; nothing when the file cannot be read.
std::optional<std::uint32_t> FileCrc32(const std::string& path);
