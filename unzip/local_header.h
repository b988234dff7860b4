// A member's local header: the 30 bytes in front of its data, read by the
// extraction and by the survey that looks for members sharing their data.
#pragma once

#include <cstdint>

#include "unzip/decode/member_context.h"
#include "unzip/platform.h"

namespace korven::unzip {

inline constexpr uint32_t kLocalHeaderSize = 30;

struct LocalHeader {
    uint16_t flags = 0;
    uint16_t method = 0;
    uint32_t dateTime = 0;  // DOS date-time
    uint32_t crc32 = 0;
    uint32_t compressedSize = 0;  // 0 in practice when the sizes follow the data
    uint32_t uncompressedSize = 0;
    uint64_t dataStart = 0;  // offset of the compressed data in the archive

    bool SizesFollowData() const { return (flags & engine::kFlagDataDescriptor) != 0; }
};

// Reads the local header at `offset`. False when it cannot be read or does
// not begin with the local header signature.
bool ReadLocalHeader(platform::InputFile& archive, uint32_t offset, LocalHeader& header);

}  // namespace korven::unzip
