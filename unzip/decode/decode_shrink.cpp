// Shrunk members (PKWARE's method 1): dynamic LZW with codes of 9 to 13
// bits and partial clearing.
//
// States, one per code read:
//   kFirstCode  the first code is a byte, output at once
//   kCode       a code below 256 is a byte; 257 and up expands through the
//               prefix/suffix tables (a code still free is the previous
//               string plus its own first byte); the free code after it is
//               defined as previous code + first byte of this string
//   kControl    after code 256: 1 widens the codes, 2 clears the leaves
// The bit budget (compressed size in bits) ends the member.
//
// Free codes form a list threaded through the prefix table: a free entry
// holds the negated number of the next free code, in increasing order.
#include <algorithm>
#include <memory>

#include "unzip/decode/decoders.h"
#include "unzip/zip_types.h"

namespace korven::unzip::engine {
namespace {

constexpr int32_t kFirstCode = 257;
constexpr int32_t kLastCode = 8192;
constexpr int32_t kCodeCount = kLastCode - kFirstCode + 1;  // 7936
constexpr int32_t kNoFreeCode = kLastCode + 1;
constexpr unsigned kStartWidth = 9;
constexpr unsigned kMaxWidth = 13;
constexpr uint32_t kControlCode = 256;
constexpr uint32_t kWiden = 1;
constexpr uint32_t kPartialClear = 2;
constexpr uint32_t kOutputSize = 767;

// The 48640-byte work area.
struct ShrinkTables {
    int32_t prefix[kCodeCount];  // >= 0: prefix code of a defined code; < 0: -next free code
    uint8_t suffix[kCodeCount];
    uint8_t stack[kLastCode + 1];  // also the prefix marks of a partial clear
    uint8_t output[kOutputSize];
};
static_assert(sizeof(ShrinkTables) == 48640);

class Unshrinker {
public:
    Unshrinker(MemberContext& member, ShrinkTables& tables) : member_(member), in_(member), t_(tables) {}

    int Run() {
        for (int32_t code = kFirstCode; code <= kLastCode; ++code) Prefix(code) = -(code + 1);
        nextFree_ = kFirstCode;

        unsigned width = kStartWidth;
        int64_t budget = int64_t{member_.compressedSize} * 8 - kStartWidth;
        uint32_t previous = in_.Take(kStartWidth) & 0xFF;  // kFirstCode
        uint8_t previousFirst = static_cast<uint8_t>(previous);
        if (int result = Put(previousFirst); result != kOk) return result;

        while (!member_.Stopped() && budget >= width) {
            uint32_t code = in_.Take(width);
            budget -= width;
            if (code == kControlCode) {  // kControl
                uint32_t control = in_.Take(width);
                budget -= width;
                if (control == kWiden) {
                    if (++width > kMaxWidth) return kBadData;
                } else if (control == kPartialClear) {
                    PartialClear();
                } else {
                    return kBadData;
                }
                continue;
            }
            // kCode: expand onto the stack, last byte first.
            unsigned depth = 0;
            uint32_t walk = code;
            if (code >= kFirstCode && Prefix(code) < 0) {
                t_.stack[depth++] = previousFirst;
                walk = previous;
            }
            while (walk >= kFirstCode) {
                if (Prefix(walk) < 0 || depth >= kLastCode) return kBadData;
                t_.stack[depth++] = Suffix(walk);
                walk = static_cast<uint32_t>(Prefix(walk));
            }
            if (walk == kControlCode) return kBadData;
            uint8_t first = static_cast<uint8_t>(walk);
            t_.stack[depth++] = first;
            while (depth > 0) {
                if (int result = Put(t_.stack[--depth]); result != kOk) return result;
            }
            if (nextFree_ <= kLastCode) {
                int32_t defined = nextFree_;
                nextFree_ = -Prefix(defined);
                Prefix(defined) = static_cast<int32_t>(previous);
                Suffix(defined) = first;
            }
            previous = code;
            previousFirst = first;
        }

        if (member_.abort) return kAborted;
        if (int flushed = member_.Flush(t_.output, used_); flushed != kOk) return flushed;
        return member_.readError ? kReadFailed : kOk;
    }

private:
    int32_t& Prefix(uint32_t code) { return t_.prefix[code - kFirstCode]; }
    uint8_t& Suffix(uint32_t code) { return t_.suffix[code - kFirstCode]; }

    // Frees every code that no other code extends (the leaves), then threads
    // all free codes into the list again, lowest first.
    void PartialClear() {
        uint8_t* isPrefix = t_.stack;
        std::fill(isPrefix, isPrefix + kLastCode + 1, 0);
        for (int32_t code = kFirstCode; code <= kLastCode; ++code) {
            if (Prefix(code) >= kFirstCode) isPrefix[Prefix(code)] = 1;
        }
        int32_t head = kNoFreeCode;
        for (int32_t code = kLastCode; code >= kFirstCode; --code) {
            if (Prefix(code) < 0 || !isPrefix[code]) {
                Prefix(code) = -head;
                head = code;
            }
        }
        nextFree_ = head;
    }

    int Put(uint8_t byte) {
        t_.output[used_++] = byte;
        if (used_ < kOutputSize) return kOk;
        used_ = 0;
        return member_.Flush(t_.output, kOutputSize);
    }

    MemberContext& member_;
    BitInput in_;
    ShrinkTables& t_;
    int32_t nextFree_ = kFirstCode;
    uint32_t used_ = 0;
};

}  // namespace

int DecodeShrunk(MemberContext& member) {
    if (member.compressedSize == kSizeFollowsData) return kUnsupported;
    auto tables = std::make_unique<ShrinkTables>();
    return Unshrinker(member, *tables).Run();
}

}  // namespace korven::unzip::engine
