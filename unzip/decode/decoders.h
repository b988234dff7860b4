// The four decoders. Each is called by ExtractMember with the output file
// open, the member context reset and the archive positioned at the member's
// compressed data, and returns 0 or a result code (1 for a dynamic deflate
// block with too many codes). None of them shows anything or deletes files.
#pragma once

#include "unzip/decode/bit_input.h"
#include "unzip/decode/member_context.h"

namespace korven::unzip::engine {

int DecodeStored(MemberContext& member);
int DecodeShrunk(MemberContext& member);
int DecodeImploded(MemberContext& member);
// Leaves the bit input just after the final block, so that the caller can
// read a data descriptor that follows the compressed data.
int DecodeDeflated(MemberContext& member, BitInput& in);

}  // namespace korven::unzip::engine
