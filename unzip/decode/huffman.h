// Two-level Huffman lookup tables, shared by the deflate and implode
// decoders.
//
// A primary table is indexed by the next `rootBits` input bits. Codes longer
// than that continue in a sub-table, indexed by the bits after the first
// rootBits. Each 4-byte entry is
//   op     0..13  a length or distance base: read `op` extra bits after it
//          15     end of block
//          16     a literal / plain symbol value
//          17+    a link: the sub-table at `value`, indexed by op-16 more bits
//          99     an invalid code
//   bits   the bits of the code consumed at this level
//   value  symbol value, base, or sub-table index
// Codes are canonical (RFC 1951, 3.2.2), stored least significant bit first
// as they arrive. Sub-tables are as narrow as the codes below them allow, so
// a typical deflate table fills in a few microseconds.
#pragma once

#include <cstdint>
#include <vector>

namespace korven::unzip::engine {

inline constexpr uint8_t kOpEndOfBlock = 15;
inline constexpr uint8_t kOpLiteral = 16;
inline constexpr uint8_t kOpInvalid = 99;
inline constexpr unsigned kMaxCodeLength = 16;
inline constexpr unsigned kMaxSymbols = 288;

struct HuffEntry {
    uint8_t op;
    uint8_t bits;
    uint16_t value;
};

// What a symbol decodes to: its entry's op and value.
struct HuffSymbol {
    uint8_t op;
    uint16_t value;
};

struct HuffTable {
    std::vector<HuffEntry> entries;  // primary table first, then sub-tables
    unsigned rootBits = 0;
};

enum class BuildResult {
    kComplete = 0,
    kIncomplete = 1,  // built; unused bit patterns decode as invalid
    kBadLengths = 2,  // over-subscribed, or a length beyond 16
    kNoMemory = 3,
};

// Builds the table for `count` code lengths (0 = symbol unused). A tree of
// all-zero lengths gives a table in which every code is invalid.
BuildResult BuildHuffTable(const uint8_t* lengths, unsigned count, const HuffSymbol* symbols, unsigned rootBits,
                           HuffTable& table);

}  // namespace korven::unzip::engine
