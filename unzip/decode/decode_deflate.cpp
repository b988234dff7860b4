// Deflated members (RFC 1951).
//
// The decoder walks these states, one block at a time:
//   kBlockHeader   waits for 3 bits: the last-block flag and the block type
//   kStoredBlock   drops to a byte boundary, checks LEN/NLEN, copies LEN bytes
//   kDynamicTables reads HLIT/HDIST/HCLEN, the code-length code and the two
//                  code tables of a dynamic block
//   kCodes         decodes literals and length/distance pairs until the end
//                  of the block; fast path first, careful path at the edges
//   kDone          the last block has ended: the window's tail is flushed
//
// Output goes to the 32768-byte circular window and leaves through Flush
// whenever the write position reaches the window's end, and once at the end.
#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "unzip/decode/decoders.h"
#include "unzip/decode/huffman.h"
#include "unzip/zip_types.h"

namespace korven::unzip::engine {
namespace {

static_assert(std::endian::native == std::endian::little, "the fast path loads little-endian words");

constexpr unsigned kFixedLiteralBits = 7;
constexpr unsigned kFixedDistanceBits = 5;
constexpr unsigned kDynamicLiteralBits = 9;
constexpr unsigned kDynamicDistanceBits = 6;
constexpr unsigned kCodeLengthBits = 7;
constexpr unsigned kMaxMatch = 258;
// Result for a dynamic header whose code counts cannot be honoured.
constexpr int kTooManyCodes = 1;

// Literal/length alphabet: 0-255 literals, 256 end of block, 257-285
// lengths with their base and extra bits (RFC 1951, 3.2.5); 286 and 287 are
// not defined and decode as invalid.
constexpr std::array<HuffSymbol, 288> MakeLiteralSymbols() {
    std::array<HuffSymbol, 288> symbols{};
    for (unsigned s = 0; s < 256; ++s) symbols[s] = {kOpLiteral, static_cast<uint16_t>(s)};
    symbols[256] = {kOpEndOfBlock, 0};
    unsigned base = 3;
    for (unsigned code = 0; code < 28; ++code) {
        unsigned extra = code < 8 ? 0 : (code - 4) / 4;
        symbols[257 + code] = {static_cast<uint8_t>(extra), static_cast<uint16_t>(base)};
        base += 1u << extra;
    }
    symbols[285] = {0, 258};
    symbols[286] = symbols[287] = {kOpInvalid, 0};
    return symbols;
}

// Distance alphabet: 30 codes, bases 1 to 24577; 30 and 31 are invalid.
constexpr std::array<HuffSymbol, 32> MakeDistanceSymbols() {
    std::array<HuffSymbol, 32> symbols{};
    unsigned base = 1;
    for (unsigned code = 0; code < 30; ++code) {
        unsigned extra = code < 4 ? 0 : (code - 2) / 2;
        symbols[code] = {static_cast<uint8_t>(extra), static_cast<uint16_t>(base)};
        base += 1u << extra;
    }
    symbols[30] = symbols[31] = {kOpInvalid, 0};
    return symbols;
}

constexpr std::array<HuffSymbol, 19> MakeCodeLengthSymbols() {
    std::array<HuffSymbol, 19> symbols{};
    for (unsigned s = 0; s < 19; ++s) symbols[s] = {kOpLiteral, static_cast<uint16_t>(s)};
    return symbols;
}

constexpr auto kLiteralSymbols = MakeLiteralSymbols();
constexpr auto kDistanceSymbols = MakeDistanceSymbols();
constexpr auto kCodeLengthSymbols = MakeCodeLengthSymbols();
constexpr uint8_t kCodeLengthOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

class Inflater {
public:
    Inflater(MemberContext& member, BitInput& in) : member_(member), in_(in), window_(member.window) {}

    int Run() {
        bool lastBlock = false;
        while (!lastBlock) {
            if (int stop = StopResult(); stop != kOk) return stop;
            // kBlockHeader
            lastBlock = in_.Take(1) != 0;
            int result;
            switch (in_.Take(2)) {
            case 0: result = StoredBlock(); break;
            case 1: result = FixedTables(); break;
            case 2: result = DynamicTables(); break;
            default: return kBadData;
            }
            if (result == kOk && literals_ != nullptr) result = Codes();
            if (result != kOk) return result;
            // Zeros handed out past the end of the input may well decode as an
            // end of block: the flags, not the codes, say whether the data held.
            if (int stop = StopResult(); stop != kOk) return stop;
        }
        // kDone
        return member_.Flush(window_, position_);
    }

private:
    int StopResult() const {
        if (member_.abort) return kAborted;
        if (member_.readError) return kReadFailed;
        return kOk;
    }

    int FlushIfFull() {
        if (position_ < kWindowSize) return kOk;
        position_ = 0;
        return member_.Flush(window_, kWindowSize);
    }

    // kStoredBlock
    int StoredBlock() {
        literals_ = nullptr;
        in_.DropToByteBoundary();
        uint32_t length = in_.Take(16);
        uint32_t complement = in_.Take(16);
        if (length != (~complement & 0xFFFF)) return kBadData;
        while (length > 0) {
            uint32_t run = std::min(length, kWindowSize - position_);
            in_.CopyBytes(window_ + position_, run);
            position_ += run;
            length -= run;
            if (int stop = StopResult(); stop != kOk) return stop;
            if (int flushed = FlushIfFull(); flushed != kOk) return flushed;
        }
        return kOk;
    }

    int FixedTables() {
        if (fixedLiterals_.entries.empty()) {
            uint8_t lengths[288];
            std::fill(lengths, lengths + 144, 8);
            std::fill(lengths + 144, lengths + 256, 9);
            std::fill(lengths + 256, lengths + 280, 7);
            std::fill(lengths + 280, lengths + 288, 8);
            if (BuildHuffTable(lengths, 288, kLiteralSymbols.data(), kFixedLiteralBits, fixedLiterals_) !=
                BuildResult::kComplete) {
                return kBadData;
            }
            std::fill(lengths, lengths + 30, 5);
            BuildResult distances =
                BuildHuffTable(lengths, 30, kDistanceSymbols.data(), kFixedDistanceBits, fixedDistances_);
            if (distances != BuildResult::kComplete && distances != BuildResult::kIncomplete) return kBadData;
        }
        literals_ = &fixedLiterals_;
        distances_ = &fixedDistances_;
        return kOk;
    }

    // kDynamicTables
    int DynamicTables() {
        literals_ = nullptr;
        unsigned literalCount = in_.Take(5) + 257;
        unsigned distanceCount = in_.Take(5) + 1;
        unsigned codeLengthCount = in_.Take(4) + 4;
        if (literalCount > 288 || distanceCount > 32) return kTooManyCodes;

        uint8_t codeLengths[19] = {};
        for (unsigned i = 0; i < codeLengthCount; ++i)
            codeLengths[kCodeLengthOrder[i]] = static_cast<uint8_t>(in_.Take(3));
        if (BuildHuffTable(codeLengths, 19, kCodeLengthSymbols.data(), kCodeLengthBits, codeLengthTable_) !=
            BuildResult::kComplete) {
            return kBadData;
        }

        const unsigned total = literalCount + distanceCount;
        uint8_t lengths[288 + 32] = {};
        unsigned filled = 0;
        uint8_t previous = 0;
        while (filled < total) {
            if (int stop = StopResult(); stop != kOk) return stop;
            HuffEntry entry = DecodeCareful(codeLengthTable_);
            if (entry.op == kOpInvalid) return kBadData;
            unsigned symbol = entry.value;
            if (symbol < 16) {
                previous = static_cast<uint8_t>(symbol);
                lengths[filled++] = previous;
                continue;
            }
            unsigned repeat;
            uint8_t value = 0;
            if (symbol == 16) {
                repeat = 3 + in_.Take(2);
                value = previous;
                if (filled + repeat > total) return kTooManyCodes;
            } else if (symbol == 17) {
                repeat = 3 + in_.Take(3);
                if (filled + repeat > total) return kTooManyCodes;
            } else {
                repeat = 11 + in_.Take(7);
                if (filled + repeat > total) return kBadData;
            }
            std::fill(lengths + filled, lengths + filled + repeat, value);
            filled += repeat;
            previous = value;
        }

        if (BuildHuffTable(lengths, literalCount, kLiteralSymbols.data(), kDynamicLiteralBits, dynamicLiterals_) !=
            BuildResult::kComplete) {
            return kBadData;
        }
        BuildResult distances = BuildHuffTable(lengths + literalCount, distanceCount, kDistanceSymbols.data(),
                                               kDynamicDistanceBits, dynamicDistances_);
        if (distances != BuildResult::kComplete && distances != BuildResult::kIncomplete) return kBadData;
        literals_ = &dynamicLiterals_;
        distances_ = &dynamicDistances_;
        return kOk;
    }

    // One code through the careful path: pulls input byte by byte.
    HuffEntry DecodeCareful(const HuffTable& table) {
        in_.Need(table.rootBits);
        HuffEntry entry = table.entries[in_.Peek(table.rootBits)];
        if (entry.op > kOpLiteral && entry.op != kOpInvalid) {
            in_.Drop(table.rootBits);
            unsigned subBits = entry.op - kOpLiteral;
            in_.Need(subBits);
            entry = table.entries[entry.value + in_.Peek(subBits)];
        }
        in_.Drop(entry.bits);
        return entry;
    }

    // kCodes
    int Codes() {
        for (;;) {
            if (member_.inputEnd - member_.inputPos >= 8 && position_ <= kWindowSize - kMaxMatch &&
                !member_.Stopped()) {
                bool endOfBlock = false;
                int result = FastCodes(endOfBlock);
                // A last match may have filled the window to its very end.
                if (result == kOk) result = FlushIfFull();
                if (result != kOk || endOfBlock) return result;
            }
            if (int stop = StopResult(); stop != kOk) return stop;
            HuffEntry entry = DecodeCareful(*literals_);
            if (entry.op == kOpLiteral) {
                window_[position_++] = static_cast<uint8_t>(entry.value);
                if (int flushed = FlushIfFull(); flushed != kOk) return flushed;
                continue;
            }
            if (entry.op == kOpEndOfBlock) return kOk;
            if (entry.op == kOpInvalid) return kBadData;
            uint32_t length = entry.value + in_.Take(entry.op);
            HuffEntry distanceEntry = DecodeCareful(*distances_);
            if (distanceEntry.op >= kOpEndOfBlock) return kBadData;
            uint32_t distance = distanceEntry.value + in_.Take(distanceEntry.op);
            while (length-- > 0) {
                window_[position_] = window_[(position_ - distance) & (kWindowSize - 1)];
                ++position_;
                if (int flushed = FlushIfFull(); flushed != kOk) return flushed;
            }
        }
    }

    // The fast path. Entry conditions, checked before every symbol:
    //  - at least 8 unread input bytes, so one unaligned 64-bit load refills
    //    the bit buffer to 56 or more bits without a bounds check; a symbol
    //    needs at most 15 + 5 + 15 + 13 = 48 bits;
    //  - at least 258 bytes of room before the window's end, so a whole match
    //    fits without a flush.
    // Nothing here can change the stop flags: they are only set by a refill.
    int FastCodes(bool& endOfBlock) {
        uint64_t bits = in_.bits;
        unsigned count = in_.count;
        uint32_t inPos = member_.inputPos;
        const uint32_t inEnd = member_.inputEnd;
        const uint8_t* input = member_.input;
        uint8_t* const window = window_;
        uint32_t out = position_;
        const HuffEntry* literals = literals_->entries.data();
        const HuffEntry* distances = distances_->entries.data();
        const uint64_t literalMask = (uint64_t{1} << literals_->rootBits) - 1;
        const uint64_t distanceMask = (uint64_t{1} << distances_->rootBits) - 1;
        int result = kOk;

        while (inEnd - inPos >= 8 && out <= kWindowSize - kMaxMatch) {
            uint64_t word;
            std::memcpy(&word, input + inPos, 8);
            bits |= word << count;
            inPos += (63 - count) >> 3;
            count |= 56;

            HuffEntry entry = literals[bits & literalMask];
            if (entry.op > kOpLiteral && entry.op != kOpInvalid) {
                bits >>= entry.bits;
                count -= entry.bits;
                entry = literals[entry.value + (bits & ((uint64_t{1} << (entry.op - kOpLiteral)) - 1))];
            }
            bits >>= entry.bits;
            count -= entry.bits;
            if (entry.op == kOpLiteral) {
                window[out++] = static_cast<uint8_t>(entry.value);
                continue;
            }
            if (entry.op == kOpEndOfBlock) {
                endOfBlock = true;
                break;
            }
            if (entry.op == kOpInvalid) {
                result = kBadData;
                break;
            }
            uint32_t length = entry.value + static_cast<uint32_t>(bits & ((uint64_t{1} << entry.op) - 1));
            bits >>= entry.op;
            count -= entry.op;

            HuffEntry distanceEntry = distances[bits & distanceMask];
            if (distanceEntry.op > kOpLiteral && distanceEntry.op != kOpInvalid) {
                bits >>= distanceEntry.bits;
                count -= distanceEntry.bits;
                distanceEntry =
                    distances[distanceEntry.value + (bits & ((uint64_t{1} << (distanceEntry.op - kOpLiteral)) - 1))];
            }
            bits >>= distanceEntry.bits;
            count -= distanceEntry.bits;
            if (distanceEntry.op >= kOpEndOfBlock) {
                result = kBadData;
                break;
            }
            uint32_t distance =
                distanceEntry.value + static_cast<uint32_t>(bits & ((uint64_t{1} << distanceEntry.op) - 1));
            bits >>= distanceEntry.op;
            count -= distanceEntry.op;
            CopyMatch(window, out, distance, length);
            out += length;
        }

        in_.bits = bits & ((uint64_t{1} << count) - 1);  // count is below 64 here
        in_.count = count;
        member_.inputPos = inPos;
        position_ = out;
        return result;
    }

    // Copies a match that fits before the window's end. The source may lie in
    // the window's older part (before the destination when the window wrapped);
    // overlapping runs repeat the pattern as LZ77 requires.
    static void CopyMatch(uint8_t* window, uint32_t out, uint32_t distance, uint32_t length) {
        uint32_t source = (out - distance) & (kWindowSize - 1);
        if (source >= out) {
            // Source is behind us in the circle: first the run up to the window's
            // end (it never overtakes the destination), then from the start.
            uint32_t run = std::min(length, kWindowSize - source);
            std::memmove(window + out, window + source, run);
            out += run;
            length -= run;
            source = 0;
            if (length == 0) return;
        }
        uint8_t* to = window + out;
        const uint8_t* from = window + source;
        uint32_t gap = static_cast<uint32_t>(to - from);
        if (gap >= length) {
            std::memcpy(to, from, length);
        } else if (gap == 1) {
            std::memset(to, *from, length);
        } else if (gap >= 8) {
            while (length >= 8) {
                std::memcpy(to, from, 8);
                to += 8;
                from += 8;
                length -= 8;
            }
            while (length-- > 0) *to++ = *from++;
        } else {
            while (length-- > 0) *to++ = *from++;
        }
    }

    MemberContext& member_;
    BitInput& in_;
    uint8_t* const window_;
    uint32_t position_ = 0;
    const HuffTable* literals_ = nullptr;  // the current block's tables; not owned
    const HuffTable* distances_ = nullptr;
    HuffTable fixedLiterals_, fixedDistances_;
    HuffTable dynamicLiterals_, dynamicDistances_;
    HuffTable codeLengthTable_;
};

}  // namespace

int DecodeDeflated(MemberContext& member, BitInput& in) { return Inflater(member, in).Run(); }

}  // namespace korven::unzip::engine
