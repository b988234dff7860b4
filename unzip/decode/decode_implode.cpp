// Imploded members (PKWARE's method 6): LZ77 over a 4K or 8K dictionary with
// Shannon-Fano coded literals, lengths and distances.
//
// States:
//   kTrees   reads the two or three trees from whole bytes at the start
//   kItems   a 1 bit announces a literal, a 0 bit a match: low distance bits,
//            distance code, length code (code 63 adds 8 raw bits)
//   kDone    the uncompressed size is reached: the window's tail is flushed
//
// Flag bit 2 selects a literal tree (else literals are 8 raw bits and the
// shortest match is 2, not 3); flag bit 1 the 8K dictionary (7 low distance
// bits, else 6).
//
// A Shannon-Fano code of this method is the bitwise complement of the
// canonical Huffman code with the same lengths, so the trees are built as
// canonical tables and looked up with inverted input bits.
#include <algorithm>
#include <array>

#include "unzip/decode/decoders.h"
#include "unzip/decode/huffman.h"
#include "unzip/zip_types.h"

namespace korven::unzip::engine {
namespace {

constexpr unsigned kLiteralTreeSize = 256;
constexpr unsigned kLengthDistanceTreeSize = 64;
constexpr unsigned kLiteralBits = 9;
constexpr unsigned kLengthBits = 7;
// A wider distance lookup pays off only on large members.
constexpr unsigned kDistanceBits(uint32_t compressedSize) { return compressedSize > 200000 ? 8 : 7; }
constexpr unsigned kLongLengthCode = 63;

constexpr std::array<HuffSymbol, 256> MakePlainSymbols() {
    std::array<HuffSymbol, 256> symbols{};
    for (unsigned s = 0; s < 256; ++s) symbols[s] = {kOpLiteral, static_cast<uint16_t>(s)};
    return symbols;
}
constexpr auto kPlainSymbols = MakePlainSymbols();

class Exploder {
public:
    Exploder(MemberContext& member, BitInput& in) : member_(member), in_(in), window_(member.window) {}

    int Run() {
        const bool literalTree = (member_.flags & kFlagLiteralTree) != 0;
        const unsigned lowDistanceBits = (member_.flags & kFlagEightKDictionary) ? 7 : 6;
        const unsigned minimumMatch = literalTree ? 3 : 2;

        // kTrees
        if (literalTree && !ReadTree(kLiteralTreeSize, kLiteralBits, literals_)) return kBadData;
        if (!ReadTree(kLengthDistanceTreeSize, kLengthBits, lengths_)) return kBadData;
        if (!ReadTree(kLengthDistanceTreeSize, kDistanceBits(member_.compressedSize), distances_)) return kBadData;

        // kItems
        uint64_t produced = 0;
        const uint64_t size = member_.uncompressedSize;
        while (produced < size && !member_.Stopped()) {
            if (in_.Take(1) != 0) {
                uint32_t literal = literalTree ? DecodeInverted(literals_) : in_.Take(8);
                if (int result = Put(static_cast<uint8_t>(literal)); result != kOk) return result;
                ++produced;
                continue;
            }
            uint32_t low = in_.Take(lowDistanceBits);
            uint32_t distance = ((DecodeInverted(distances_) << lowDistanceBits) | low) + 1;
            uint32_t length = DecodeInverted(lengths_);
            if (length == kLongLengthCode) length += in_.Take(8);
            length += minimumMatch;
            // The uncompressed size bounds the output, even of a corrupt last match.
            length = static_cast<uint32_t>(std::min<uint64_t>(length, size - produced));
            produced += length;
            while (length-- > 0) {
                // Before the first flush the window's unwritten part is still zero,
                // which is what a match reaching before the start must produce.
                if (int result = Put(window_[(position_ - distance) & (kWindowSize - 1)]); result != kOk) return result;
            }
        }

        // kDone
        if (member_.abort) return kAborted;
        if (int flushed = member_.Flush(window_, position_); flushed != kOk) return flushed;
        return member_.readError ? kReadFailed : kOk;
    }

private:
    // A tree: one byte giving the number of following bytes less one; each
    // following byte holds a code length (low nibble + 1) and how many
    // consecutive symbols have it (high nibble + 1).
    bool ReadTree(unsigned size, unsigned rootBits, HuffTable& table) {
        uint8_t lengths[kLiteralTreeSize];
        unsigned filled = 0;
        unsigned bytes = in_.Take(8) + 1;
        for (unsigned i = 0; i < bytes; ++i) {
            uint32_t packed = in_.Take(8);
            unsigned length = (packed & 0x0F) + 1;
            unsigned run = (packed >> 4) + 1;
            if (filled + run > size) return false;
            std::fill(lengths + filled, lengths + filled + run, static_cast<uint8_t>(length));
            filled += run;
        }
        if (filled != size || member_.Stopped()) return false;
        return BuildHuffTable(lengths, size, kPlainSymbols.data(), rootBits, table) == BuildResult::kComplete;
    }

    uint32_t DecodeInverted(const HuffTable& table) {
        in_.Need(table.rootBits);
        HuffEntry entry = table.entries[~in_.Peek(table.rootBits) & ((1u << table.rootBits) - 1)];
        if (entry.op > kOpLiteral && entry.op != kOpInvalid) {
            in_.Drop(table.rootBits);
            unsigned subBits = entry.op - kOpLiteral;
            in_.Need(subBits);
            entry = table.entries[entry.value + (~in_.Peek(subBits) & ((1u << subBits) - 1))];
        }
        in_.Drop(entry.bits);
        return entry.value;  // complete trees leave no invalid entries
    }

    int Put(uint8_t byte) {
        window_[position_++] = byte;
        if (position_ < kWindowSize) return kOk;
        position_ = 0;
        return member_.Flush(window_, kWindowSize);
    }

    MemberContext& member_;
    BitInput& in_;
    uint8_t* const window_;
    uint32_t position_ = 0;
    HuffTable literals_, lengths_, distances_;
};

}  // namespace

int DecodeImploded(MemberContext& member) {
    BitInput in(member);
    return Exploder(member, in).Run();
}

}  // namespace korven::unzip::engine
