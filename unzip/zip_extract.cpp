// Extracting one member: the busy guard, the local header, the output file
// and its folders, the decoder of the member's method, the CRC check and the
// file date.
#include <memory>

#include "unzip/byte_order.h"
#include "unzip/decode/decoders.h"
#include "unzip/engine_state.h"
#include "unzip/decode/member_context.h"
#include "unzip/member_path.h"
#include "unzip/zip_engine.h"

namespace korven::unzip {
namespace {

using engine::kFlagDataDescriptor;
using engine::kFlagEncrypted;
using engine::kSizeFollowsData;

constexpr uint32_t kLocalHeaderSize = 30;
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
                  NotifyWindow notifyWindow, uint32_t commandOrKey) {
    if (AnotherExtractionRuns()) return kBusy;
    InUseScope inUse;
    auto window = std::make_unique<uint8_t[]>(engine::kWindowSize);  // cleared

    platform::InputFile archive;
    if (!archive.Open(archivePath)) return kReadFailed;
    uint8_t header[kLocalHeaderSize];
    if (!archive.Seek(localHeaderOffset) || archive.Read(header, kLocalHeaderSize) != kLocalHeaderSize ||
        ReadLe32(header) != 0x04034B50) {
        return kBadData;
    }
    uint16_t flags = ReadLe16(header + 6);
    uint16_t method = ReadLe16(header + 8);
    uint32_t dateTime = ReadLe32(header + 10);
    uint32_t expectedCrc = ReadLe32(header + 14);
    uint32_t compressedSize = ReadLe32(header + 18);
    uint32_t uncompressedSize = ReadLe32(header + 22);
    if (flags & kFlagDataDescriptor) compressedSize = uncompressedSize = kSizeFollowsData;
    if (method > 31 || !(SupportedMethods() & (1u << method))) return kUnsupported;
    if (flags & kFlagEncrypted) return kEncrypted;
    uint64_t dataStart = uint64_t{localHeaderOffset} + kLocalHeaderSize + ReadLe16(header + 26) + ReadLe16(header + 28);
    if (!archive.Seek(dataStart)) return kReadFailed;

    platform::OutputFile output;
    bool isFolder = EndsWithSeparator(outputPath);
    platform::CreateResult created = isFolder ? platform::CreateResult::kPathNotFound : output.Create(outputPath);
    if (created == platform::CreateResult::kPathNotFound) {
        CreateFolderPath(outputPath);
        if (isFolder) return kOk;
        created = output.Create(outputPath);
    }
    if (created != platform::CreateResult::kCreated) return kCannotWrite;

    engine::MemberContext member(archive, output, window.get());
    member.compressedSize = compressedSize;
    member.uncompressedSize = uncompressedSize;
    member.flags = flags;
    member.notifyWindow = notifyWindow;
    member.commandOrKey = commandOrKey;
    member.PumpMessages();

    engine::BitInput in(member);
    int result = Decode(method, member, in);
    if (result == kOk && (flags & kFlagDataDescriptor)) expectedCrc = ReadDescriptorCrc(in, ~member.crc);

    archive.Close();
    if (!output.Close() && result == kOk) result = kCannotWrite;
    if (result == kOk && ~member.crc != expectedCrc) result = kCrcMismatch;
    if (result != kOk) {
        platform::DeleteFileAt(outputPath);
        return result;
    }
    if (notifyWindow != 0) {
        uint16_t done = 100;
        CurrentHost().NotifyProgress(notifyWindow, commandOrKey, &done);
    }
    platform::SetFileDosDateTime(outputPath, dateTime);
    return kOk;
}

}  // namespace korven::unzip
