// Extracting one member: the busy guard, the local header, the output file
// and its folders, the decoder of the member's method, the CRC check and the
// file date.
#include <memory>

#include "unzip/decode/decoders.h"
#include "unzip/decode/member_context.h"
#include "unzip/engine_state.h"
#include "unzip/local_header.h"
#include "unzip/member_path.h"
#include "unzip/zip_engine.h"

namespace korven::unzip {
namespace {

using engine::kFlagEncrypted;
using engine::kSizeFollowsData;

constexpr uint32_t kStaleBusyMilliseconds = 30000;
constexpr uint32_t kDescriptorSignature = 0x08074B50;  // 50 4B 07 08
constexpr uint16_t kMethodStored = 0;
constexpr uint16_t kMethodShrunk = 1;
constexpr uint16_t kMethodImploded = 6;
constexpr uint16_t kMethodDeflated = 8;

// Holds the in-use flag for the length of one extraction.
class InUseScope {
public:
    InUseScope() { engine::Busy().inUse = true; }
    ~InUseScope() { engine::Busy().inUse = false; }
    InUseScope(const InUseScope&) = delete;
    InUseScope& operator=(const InUseScope&) = delete;
};

// An extraction in progress keeps the flag; one whose pumps stopped more
// than 30 s ago is taken to have ended abnormally.
bool AnotherExtractionRuns() {
    engine::BusyState& busy = engine::Busy();
    if (!busy.inUse) return false;
    if (busy.lastPumpTick == 0 || CurrentHost().TickCount() - busy.lastPumpTick <= kStaleBusyMilliseconds) {
        return true;
    }
    busy.inUse = false;
    return false;
}

bool EndsWithSeparator(const std::string& path) { return !path.empty() && (path.back() == '\\' || path.back() == '/'); }

// The CRC of a member whose sizes follow its data: after the last byte of
// the data, optionally behind the descriptor signature. A CRC that happens
// to equal the signature is recognised by matching what was computed.
uint32_t ReadDescriptorCrc(engine::BitInput& in, uint32_t computed) {
    in.DropToByteBoundary();
    auto take32 = [&in] {
        uint32_t value = in.Take(16);
        return value | (in.Take(16) << 16);
    };
    uint32_t first = take32();
    if (first == kDescriptorSignature && computed != kDescriptorSignature) return take32();
    return first;
}

int Decode(uint16_t method, engine::MemberContext& member, engine::BitInput& in) {
    switch (method) {
    case kMethodStored: return engine::DecodeStored(member);
    case kMethodShrunk: return engine::DecodeShrunk(member);
    case kMethodImploded: return engine::DecodeImploded(member);
    case kMethodDeflated: return engine::DecodeDeflated(member, in);
    default: return kUnsupported;
    }
}

}  // namespace

uint32_t SupportedMethods() {
    return (1u << kMethodStored) | (1u << kMethodShrunk) | (1u << kMethodImploded) | (1u << kMethodDeflated);
}

int ExtractMember(const std::string& archivePath, const std::string& outputPath, uint32_t localHeaderOffset,
                  NotifyWindow notifyWindow, uint32_t commandOrKey, std::optional<uint32_t> declaredSize) {
    platform::InputFile archive;
    archive.Open(archivePath);  // a failure is told after the busy guard
    return ExtractMember(archive, outputPath, localHeaderOffset, notifyWindow, commandOrKey, declaredSize);
}

int ExtractMember(platform::InputFile& archive, const std::string& outputPath, uint32_t localHeaderOffset,
                  NotifyWindow notifyWindow, uint32_t commandOrKey, std::optional<uint32_t> declaredSize) {
    if (AnotherExtractionRuns()) return kBusy;
    InUseScope inUse;
    auto window = std::make_unique<uint8_t[]>(engine::kWindowSize);  // cleared

    if (!archive.IsOpen()) return kReadFailed;
    LocalHeader header;
    if (!ReadLocalHeader(archive, localHeaderOffset, header)) return kBadData;
    uint32_t expectedCrc = header.crc32;
    uint32_t compressedSize = header.compressedSize;
    uint32_t uncompressedSize = header.uncompressedSize;
    if (header.SizesFollowData()) compressedSize = uncompressedSize = kSizeFollowsData;
    if (header.method > 31 || !(SupportedMethods() & (1u << header.method))) return kUnsupported;
    if (header.flags & kFlagEncrypted) return kEncrypted;
    if (!archive.Seek(header.dataStart)) return kReadFailed;

    uint64_t outputLimit = UINT64_MAX;
    if (declaredSize) {
        outputLimit = *declaredSize;
    } else if (!header.SizesFollowData()) {
        outputLimit = header.uncompressedSize;
    }

    platform::OutputFile output;
    bool isFolder = EndsWithSeparator(outputPath);
    platform::CreateResult created =
        isFolder ? platform::CreateResult::kPathNotFound : output.Create(outputPath, outputLimit);
    if (created == platform::CreateResult::kPathNotFound) {
        CreateFolderPath(outputPath);
        if (isFolder) return kOk;
        created = output.Create(outputPath, outputLimit);
    }
    if (created != platform::CreateResult::kCreated) return kCannotWrite;

    engine::MemberContext member(archive, output, window.get());
    member.compressedSize = compressedSize;
    member.uncompressedSize = uncompressedSize;
    member.outputLimit = outputLimit;
    member.flags = header.flags;
    member.notifyWindow = notifyWindow;
    member.commandOrKey = commandOrKey;
    member.PumpMessages();

    engine::BitInput in(member);
    int result = Decode(header.method, member, in);
    if (result == kOk && header.SizesFollowData()) expectedCrc = ReadDescriptorCrc(in, ~member.crc);

    // A buffered write that fails now failed before anything the decoder
    // met later in the member.
    if (!member.FinishOutput()) result = kCannotWrite;
    const bool crcMatches = ~member.crc == expectedCrc;
    // Through the open handle, so that the file is not opened a second time.
    if (result == kOk && crcMatches) output.SetDosDateTime(header.dateTime);
    if (!output.Close() && result == kOk) result = kCannotWrite;
    if (result == kOk && !crcMatches) result = kCrcMismatch;
    if (result != kOk) {
        platform::DeleteFileAt(outputPath);
        return result;
    }
    if (notifyWindow != 0) {
        uint16_t done = 100;
        CurrentHost().NotifyProgress(notifyWindow, commandOrKey, &done);
    }
    return kOk;
}

}  // namespace korven::unzip
