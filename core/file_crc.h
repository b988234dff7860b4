// The CRC-32 of a whole file (ZIP's: polynomial 0xEDB88320, reflected), to
// tell a file the installation wrote from one changed since.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Nothing when the file cannot be read.
std::optional<std::uint32_t> FileCrc32(const std::string& path);
