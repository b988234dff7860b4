// Stored members: copied straight from the archive into the window and out,
// in blocks of up to a window's size.
#include <algorithm>

#include "unzip/decode/decoders.h"
#include "unzip/zip_types.h"

namespace korven::unzip::engine {

int DecodeStored(MemberContext& member) {
    while (member.bytesRead < member.compressedSize && !member.abort) {
        uint32_t block =
            static_cast<uint32_t>(std::min<uint64_t>(member.compressedSize - member.bytesRead, kWindowSize));
        if (member.archive.Read(member.window, block) != block) return kReadFailed;
        if (int result = member.Flush(member.window, block); result != kOk) return result;
        member.bytesRead += block;
        member.PumpMessagesWhenDue();
        member.UpdateProgress();
    }
    return member.abort ? kAborted : kOk;
}

}  // namespace korven::unzip::engine
