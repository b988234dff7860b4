// Everything one member's extraction works on: the open archive and output
// file, the window, the 4096-byte input buffer with its refill, the running
// CRC, the stop flags and the progress bookkeeping. The decoders see the
// compressed data through BitInput (bit_input.h) and hand their output to
// Flush, the one way out of every decoder.
#pragma once

#include <cstdint>
#include <vector>

#include "unzip/decode/crc32.h"
#include "unzip/platform.h"

namespace korven::unzip::engine {

inline constexpr uint32_t kWindowSize = 32768;  // deflate's largest distance
inline constexpr uint32_t kInputBufferSize = 4096;
// Compressed bytes read between two looks at the message queue: under Wine
// every look is a round trip to the server, and one per 4096-byte refill
// made it the larger part of a small member's work. 64 KB take about a
// millisecond to decode, so the window still answers at once.
inline constexpr uint32_t kPumpInterval = 64 * 1024;
// Sizes of a member whose sizes and CRC follow its data (flag bit 3).
inline constexpr uint32_t kSizeFollowsData = 0x7FFFFFFF;

inline constexpr uint16_t kFlagEncrypted = 0x0001;
inline constexpr uint16_t kFlagEightKDictionary = 0x0002;
inline constexpr uint16_t kFlagLiteralTree = 0x0004;
inline constexpr uint16_t kFlagDataDescriptor = 0x0008;

struct MemberContext {
    MemberContext(platform::InputFile& archiveFile, platform::OutputFile& outputFile, uint8_t* workWindow)
        : archive(archiveFile), output(outputFile), window(workWindow) {}

    platform::InputFile& archive;  // positioned at the compressed data; not owned
    platform::OutputFile& output;  // not owned
    uint8_t* window;               // kWindowSize bytes, cleared; not owned

    uint32_t compressedSize = 0;
    uint32_t uncompressedSize = 0;
    // Bytes the member may produce: its declared size. Checked once per
    // flushed block, never per byte, so the decoders' loops stay as they are.
    uint64_t outputLimit = UINT64_MAX;
    uint64_t written = 0;  // bytes handed to the output so far
    uint16_t flags = 0;
    NotifyWindow notifyWindow = 0;
    uint32_t commandOrKey = 0;  // WM_COMMAND id with a window, else a virtual key

    // Input buffer: bytes [inputPos, inputEnd) are unread. Eight spare bytes
    // let the deflate fast path load a whole 64-bit word at the end.
    uint8_t input[kInputBufferSize + 8] = {};
    uint32_t inputPos = 0;
    uint32_t inputEnd = 0;
    uint64_t bytesRead = 0;  // compressed bytes read for this member so far

    bool abort = false;      // the user asked to stop
    bool readError = false;  // input ran out or failed; decoders stop on it
    uint32_t crc = kCrc32Start;
    int lastPercent = 0;

    bool Stopped() const { return abort || readError; }

    uint8_t NextByte() {
        if (inputPos == inputEnd) RefillInput();
        return input[inputPos++];
    }

    // Reads the next 4096 bytes of the archive. When the member's data is
    // exhausted, or the read fails, it sets readError and hands out zeros so
    // that the decoders run on to their next flag check.
    void RefillInput();

    // Writes count bytes to the output, updates the CRC (whether or not the
    // write succeeded) and reports the block. 0, kCannotWrite, or
    // kCrcMismatch when the block would run past the output limit: then only
    // the bytes up to the limit are written, and the decoder stops on the
    // result like on any other.
    //
    // The output file buffers, so a block is reported once the system has
    // taken all of its bytes: a write that fails part-way is met after the
    // same reports as a write of each block at once would be.
    int Flush(const uint8_t* data, uint32_t count);
    // Hands the rest of the output to the system and reports its blocks;
    // false when a write failed. Ends every member, whatever the decoder's
    // result, before its file is closed.
    bool FinishOutput();

    void PumpMessages();
    // Pumps when kPumpInterval bytes were read since the last pump.
    void PumpMessagesWhenDue();
    // Acts on a changed percentage: tells the notify window, or looks at the
    // abort key. Either may set the abort flag.
    void UpdateProgress();

private:
    // Reports the blocks whose bytes have all reached the file.
    void ReportWrittenBlocks();

    std::vector<uint32_t> unreported_;  // sizes of blocks handed on, not yet reported, oldest first
    size_t firstUnreported_ = 0;
    uint64_t reportedBytes_ = 0;  // output bytes of the blocks already reported
    uint64_t bytesReadAtPump_ = 0;
};

}  // namespace korven::unzip::engine
