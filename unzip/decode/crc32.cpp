// Slicing by eight: eight tables let the loop fold eight input bytes per step
// instead of one. Table 0 is the classic byte table; table k gives the CRC of
// a byte followed by k zero bytes, so the eight lookups of a step can be
// combined with XOR.
#include "unzip/decode/crc32.h"

#include <array>
#include <cstring>

namespace korven::unzip {
namespace {

using SliceTables = std::array<std::array<uint32_t, 256>, 8>;

constexpr SliceTables MakeTables() {
    SliceTables tables{};
    for (uint32_t byte = 0; byte < 256; ++byte) {
        uint32_t crc = byte;
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        tables[0][byte] = crc;
    }
    for (uint32_t byte = 0; byte < 256; ++byte) {
        for (int slice = 1; slice < 8; ++slice) {
            uint32_t previous = tables[slice - 1][byte];
            tables[slice][byte] = (previous >> 8) ^ tables[0][previous & 0xFF];
        }
    }
    return tables;
}

constexpr SliceTables kTables = MakeTables();

}  // namespace

uint32_t Crc32Update(uint32_t running, const uint8_t* data, size_t count) {
    uint32_t crc = running;
    while (count >= 8) {
        uint32_t low, high;
        std::memcpy(&low, data, 4);  // little-endian hosts only (x86 for both builds)
        std::memcpy(&high, data + 4, 4);
        low ^= crc;
        crc = kTables[7][low & 0xFF] ^ kTables[6][(low >> 8) & 0xFF] ^ kTables[5][(low >> 16) & 0xFF] ^
              kTables[4][low >> 24] ^ kTables[3][high & 0xFF] ^ kTables[2][(high >> 8) & 0xFF] ^
              kTables[1][(high >> 16) & 0xFF] ^ kTables[0][high >> 24];
        data += 8;
        count -= 8;
    }
    while (count-- > 0) crc = (crc >> 8) ^ kTables[0][(crc ^ *data++) & 0xFF];
    return crc;
}

}  // namespace korven::unzip
