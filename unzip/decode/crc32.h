// CRC-32 of the ZIP application note (polynomial 0xEDB88320, reflected; the
// same CRC as RFC 1952's). The running value starts at 0xFFFFFFFF and the final
// CRC is its complement; Crc32Update does neither, so blocks can be chained.
#pragma once

#include <cstddef>
#include <cstdint>

namespace korven::unzip {

inline constexpr uint32_t kCrc32Start = 0xFFFFFFFFu;

uint32_t Crc32Update(uint32_t running, const uint8_t* data, size_t count);

}  // namespace korven::unzip
