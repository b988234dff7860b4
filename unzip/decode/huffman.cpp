#include "unzip/decode/huffman.h"

#include <cstddef>
#include <new>

namespace korven::unzip::engine {
namespace {

uint32_t ReverseBits(uint32_t code, unsigned length) {
    uint32_t reversed = 0;
    for (unsigned i = 0; i < length; ++i) {
        reversed = (reversed << 1) | (code & 1);
        code >>= 1;
    }
    return reversed;
}

// Width of the sub-table for codes that start at `length` bits: the smallest
// that covers every remaining code under the same root prefix. remaining[]
// still counts the first code of the sub-table.
unsigned SubTableBits(unsigned length, unsigned rootBits, unsigned maxLength, const unsigned* remaining) {
    unsigned width = length - rootBits;
    int left = 1 << width;
    while (width + rootBits < maxLength) {
        left -= static_cast<int>(remaining[width + rootBits]);
        if (left <= 0) break;
        ++width;
        left <<= 1;
    }
    return width;
}

void Fill(HuffEntry* table, uint32_t index, unsigned step, unsigned size, HuffEntry entry) {
    for (uint32_t i = index; i < size; i += step) table[i] = entry;
}

}  // namespace

BuildResult BuildHuffTable(const uint8_t* lengths, unsigned count, const HuffSymbol* symbols, unsigned rootBits,
                           HuffTable& table) try {
    const HuffEntry invalid{kOpInvalid, 1, 0};
    unsigned lengthCount[kMaxCodeLength + 1] = {};
    for (unsigned s = 0; s < count; ++s) {
        if (lengths[s] > kMaxCodeLength) return BuildResult::kBadLengths;
        ++lengthCount[lengths[s]];
    }
    table.rootBits = rootBits;
    table.entries.assign(size_t{1} << rootBits, invalid);
    if (lengthCount[0] == count) return BuildResult::kComplete;

    // Kraft sum: every length level doubles the codes available.
    int left = 1;
    unsigned maxLength = 0;
    for (unsigned length = 1; length <= kMaxCodeLength; ++length) {
        left = left * 2 - static_cast<int>(lengthCount[length]);
        if (left < 0) return BuildResult::kBadLengths;
        if (lengthCount[length] != 0) maxLength = length;
    }

    // Symbols sorted by code length, then by symbol: the canonical order.
    unsigned offset[kMaxCodeLength + 2] = {};
    for (unsigned length = 1; length <= kMaxCodeLength; ++length)
        offset[length + 1] = offset[length] + lengthCount[length];
    uint16_t sorted[kMaxSymbols];
    for (unsigned s = 0; s < count; ++s) {
        if (lengths[s] != 0) sorted[offset[lengths[s]]++] = static_cast<uint16_t>(s);
    }

    unsigned remaining[kMaxCodeLength + 1];
    for (unsigned length = 0; length <= kMaxCodeLength; ++length) remaining[length] = lengthCount[length];

    const uint32_t rootMask = (uint32_t{1} << rootBits) - 1;
    uint32_t code = 0;  // canonical code, most significant bit first
    unsigned next = 0;
    uint32_t currentPrefix = ~uint32_t{0};
    size_t subStart = 0;
    unsigned subBits = 0;
    for (unsigned length = 1; length <= maxLength; ++length, code <<= 1) {
        for (unsigned n = 0; n < lengthCount[length]; ++n, ++code) {
            const HuffSymbol& symbol = symbols[sorted[next++]];
            uint32_t reversed = ReverseBits(code, length);
            if (length <= rootBits) {
                Fill(table.entries.data(), reversed, 1u << length, 1u << rootBits,
                     HuffEntry{symbol.op, static_cast<uint8_t>(length), symbol.value});
            } else {
                uint32_t prefix = reversed & rootMask;
                if (prefix != currentPrefix) {
                    currentPrefix = prefix;
                    subBits = SubTableBits(length, rootBits, maxLength, remaining);
                    subStart = table.entries.size();
                    table.entries.resize(subStart + (size_t{1} << subBits), invalid);
                    table.entries[prefix] = HuffEntry{static_cast<uint8_t>(kOpLiteral + subBits),
                                                      static_cast<uint8_t>(rootBits), static_cast<uint16_t>(subStart)};
                }
                unsigned subLength = length - rootBits;
                Fill(table.entries.data() + subStart, reversed >> rootBits, 1u << subLength, 1u << subBits,
                     HuffEntry{symbol.op, static_cast<uint8_t>(subLength), symbol.value});
            }
            --remaining[length];
        }
    }
    return left > 0 ? BuildResult::kIncomplete : BuildResult::kComplete;
} catch (const std::bad_alloc&) {
    return BuildResult::kNoMemory;
}

}  // namespace korven::unzip::engine
