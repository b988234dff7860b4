#include "unzip/local_header.h"

#include "unzip/byte_order.h"

namespace korven::unzip {

bool ReadLocalHeader(platform::InputFile& archive, uint32_t offset, LocalHeader& header) {
    uint8_t bytes[kLocalHeaderSize];
    if (!archive.Seek(offset) || archive.Read(bytes, kLocalHeaderSize) != kLocalHeaderSize ||
        ReadLe32(bytes) != 0x04034B50) {
        return false;
    }
    header.flags = ReadLe16(bytes + 6);
    header.method = ReadLe16(bytes + 8);
    header.dateTime = ReadLe32(bytes + 10);
    header.crc32 = ReadLe32(bytes + 14);
    header.compressedSize = ReadLe32(bytes + 18);
    header.uncompressedSize = ReadLe32(bytes + 22);
    header.dataStart = uint64_t{offset} + kLocalHeaderSize + ReadLe16(bytes + 26) + ReadLe16(bytes + 28);
    return true;
}

}  // namespace korven::unzip
