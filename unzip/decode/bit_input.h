// Bit input, least significant bit first, over a member's input buffer.
//
// The whole vocabulary of the decoders:
//   Need(n)  make at least n bits valid, pulling whole input bytes (n <= 32)
//   Peek(n)  the lowest n valid bits, not consumed
//   Drop(n)  consume n bits (they must be valid)
//   Take(n)  Need + Peek + Drop
//   DropToByteBoundary()  consume the bits of a partly used byte
//   CopyBytes(dst, n)     byte-aligned raw copy (deflate stored blocks)
// Input never runs out here: past the end the member context sets its read
// error flag and hands out zeros, and every decoder loop checks the flag.
//
// Bits above `count` in `bits` are zero, except inside the deflate fast path,
// which re-establishes that before it returns (it reads whole words).
#pragma once

#include <cstdint>
#include <cstring>

#include "unzip/decode/member_context.h"

namespace korven::unzip::engine {

struct BitInput {
    explicit BitInput(MemberContext& owner) : member(owner) {}

    void Need(unsigned n) {
        while (count < n) {
            bits |= uint64_t{member.NextByte()} << count;
            count += 8;
        }
    }
    uint32_t Peek(unsigned n) const { return static_cast<uint32_t>(bits & ((uint64_t{1} << n) - 1)); }
    void Drop(unsigned n) {
        bits >>= n;
        count -= n;
    }
    uint32_t Take(unsigned n) {
        Need(n);
        uint32_t value = Peek(n);
        Drop(n);
        return value;
    }
    void DropToByteBoundary() { Drop(count & 7); }

    // Copies n bytes that start on a byte boundary: first those already in the
    // bit buffer, then straight from the input buffer.
    void CopyBytes(uint8_t* destination, uint32_t n) {
        while (n > 0 && count >= 8) {
            *destination++ = static_cast<uint8_t>(bits);
            Drop(8);
            --n;
        }
        while (n > 0) {
            if (member.inputPos == member.inputEnd) member.RefillInput();
            uint32_t run = member.inputEnd - member.inputPos;
            if (run > n) run = n;
            std::memcpy(destination, member.input + member.inputPos, run);
            member.inputPos += run;
            destination += run;
            n -= run;
        }
    }

    MemberContext& member;
    uint64_t bits = 0;
    unsigned count = 0;
};

}  // namespace korven::unzip::engine
