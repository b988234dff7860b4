// Recognising an archive and walking its central directory.
#include <algorithm>
#include <cstring>

#include "unzip/byte_order.h"
#include "unzip/zip_engine.h"

namespace korven::unzip {
namespace {

constexpr uint8_t kLocalHeaderSignature[4] = {0x50, 0x4B, 0x03, 0x04};
constexpr uint8_t kEntrySignature[4] = {0x50, 0x4B, 0x01, 0x02};
constexpr uint8_t kEndSignature[4] = {0x50, 0x4B, 0x05, 0x06};
// Records that may follow the last entry instead of the end record: the
// directory's digital signature, and the Zip64 end record that ZIP programs
// write before the end record of an archive with more than 65535 members.
constexpr uint8_t kDirectorySignatureSignature[4] = {0x50, 0x4B, 0x05, 0x05};
constexpr uint8_t kZip64EndSignature[4] = {0x50, 0x4B, 0x06, 0x06};
constexpr uint32_t kEndRecordSize = 22;
constexpr uint32_t kEntrySize = 46;
constexpr uint32_t kSearchWindow = 4096;
constexpr uint8_t kHostMsDos = 0;

bool HasSignature(const uint8_t* at, const uint8_t (&signature)[4]) { return std::memcmp(at, signature, 4) == 0; }

// Offset of the end record nearest the end of the file, or -1 when there is
// none or the file cannot be read. Windows of 4096 bytes move towards the
// start, overlapping by a record's size so that none is missed.
int64_t FindEndRecord(platform::InputFile& file, uint64_t fileSize) {
    uint32_t window = static_cast<uint32_t>(std::min<uint64_t>(fileSize, kSearchWindow));
    uint64_t start = fileSize - window;
    std::vector<uint8_t> buffer(window);
    for (;;) {
        if (!file.Seek(start) || file.Read(buffer.data(), window) != window) return -1;
        if (window >= kEndRecordSize) {
            for (int64_t at = window - kEndRecordSize; at >= 0; --at) {
                if (HasSignature(buffer.data() + at, kEndSignature)) return static_cast<int64_t>(start) + at;
            }
        }
        if (start == 0 || window <= kEndRecordSize) return -1;
        start -= std::min<uint64_t>(start, window - kEndRecordSize);
    }
}

uint32_t EntryLength(const uint8_t* entry) {
    return kEntrySize + ReadLe16(entry + 28) + ReadLe16(entry + 30) + ReadLe16(entry + 32);
}

bool EntryIsWhole(const DirectoryCursor& cursor) {
    uint32_t left = cursor.bufferSize - cursor.position;
    return left >= kEntrySize && left >= EntryLength(cursor.buffer.data() + cursor.position);
}

// Moves the unread tail to the front of the window and fills the rest.
bool RefillWindow(DirectoryCursor& cursor) {
    uint32_t tail = cursor.bufferSize - cursor.position;
    std::memmove(cursor.buffer.data(), cursor.buffer.data() + cursor.position, tail);
    int64_t got = cursor.file.Read(cursor.buffer.data() + tail, kDirectoryWindow - tail);
    if (got < 0) return false;
    cursor.bufferSize = static_cast<uint16_t>(tail + got);
    cursor.position = 0;
    return true;
}

int ReadEntry(DirectoryCursor& cursor) {
    if (!cursor.IsOpen()) return kDirectoryEnd;
    if (cursor.IsWindowed() && !EntryIsWhole(cursor) && !RefillWindow(cursor)) return kDirectoryEnd;
    uint32_t left = cursor.bufferSize - cursor.position;
    const uint8_t* entry = cursor.buffer.data() + cursor.position;
    if (left >= 4 && (HasSignature(entry, kEndSignature) || HasSignature(entry, kZip64EndSignature) ||
                      HasSignature(entry, kDirectorySignatureSignature))) {
        cursor.reachedEnd = true;
        return kDirectoryEnd;
    }
    if (left < 4 || !EntryIsWhole(cursor) || !HasSignature(entry, kEntrySignature)) return kDirectoryEnd;

    bool fromMsDos = entry[5] == kHostMsDos;
    cursor.flags = ReadLe16(entry + 8);
    cursor.method = ReadLe16(entry + 10);
    cursor.dateTime = ReadLe32(entry + 12);
    cursor.crc32 = ReadLe32(entry + 16);
    cursor.compressedSize = static_cast<int32_t>(ReadLe32(entry + 20));
    cursor.uncompressedSize = static_cast<int32_t>(ReadLe32(entry + 24));
    cursor.attributes = fromMsDos ? entry[38] : 0;
    cursor.localHeaderOffset = static_cast<int32_t>(ReadLe32(entry + 42));

    cursor.name.assign(reinterpret_cast<const char*>(entry + kEntrySize), ReadLe16(entry + 28));
    std::replace(cursor.name.begin(), cursor.name.end(), '/', '\\');

    cursor.position = static_cast<uint16_t>(cursor.position + EntryLength(entry));
    ++cursor.entriesRead;
    return kOk;
}

}  // namespace

bool IsZipArchive(const std::string& path) {
    std::string file = path;
    if (!file.empty() && file.back() == '\\') file.pop_back();
    // The name decides, not the folders above it: an archive in a folder
    // such as "Tools.exe.d" is still an archive.
    const size_t slash = file.find_last_of("\\/:");
    const std::string name = slash == std::string::npos ? file : file.substr(slash + 1);
    if (name.find('.') == std::string::npos || name.find(".exe") != std::string::npos) return false;
    if (platform::FolderExists(file)) return false;
    platform::InputFile input;
    uint8_t head[4];
    return input.Open(file) && input.Read(head, 4) == 4 && HasSignature(head, kLocalHeaderSignature);
}

int OpenDirectory(const std::string& path, DirectoryCursor& cursor) {
    CloseDirectory(cursor);
    cursor.entriesRead = 0;
    cursor.reachedEnd = false;
    platform::InputFile file;
    if (!file.Open(path)) return kNoDirectory;
    int64_t fileSize = file.Size();
    if (fileSize <= 0) return kNoDirectory;

    int64_t endRecord = FindEndRecord(file, static_cast<uint64_t>(fileSize));
    if (endRecord < 0) return kNoDirectory;
    uint8_t offsetField[4];
    if (!file.Seek(static_cast<uint64_t>(endRecord) + 16) || file.Read(offsetField, 4) != 4) return kNoDirectory;
    if (endRecord < static_cast<int64_t>(kEntrySize)) return kEndRecordTooEarly;
    uint32_t directoryStart = ReadLe32(offsetField);
    if (directoryStart > endRecord) return kNoDirectory;

    // The directory and the end record's signature, which ends the walk.
    uint64_t directorySize = static_cast<uint64_t>(endRecord) - directoryStart + 4;
    bool windowed = directorySize >= kDirectoryWindow;
    uint32_t load = windowed ? kDirectoryWindow : static_cast<uint32_t>(directorySize);
    cursor.buffer.resize(load);
    if (!file.Seek(directoryStart) || file.Read(cursor.buffer.data(), load) != load) {
        CloseDirectory(cursor);
        return kNoDirectory;
    }
    cursor.bufferSize = static_cast<uint16_t>(load);
    cursor.position = 0;
    if (windowed) cursor.file = std::move(file);

    int result = ReadEntry(cursor);
    if (result != kOk) CloseDirectory(cursor);
    return result;
}

int NextDirectoryEntry(DirectoryCursor& cursor) {
    int result = ReadEntry(cursor);
    if (result != kOk) CloseDirectory(cursor);
    return result;
}

void CloseDirectory(DirectoryCursor& cursor) {
    cursor.buffer.clear();
    cursor.buffer.shrink_to_fit();
    cursor.bufferSize = 0;
    cursor.position = 0;
    cursor.file.Close();
}

DirectoryState WalkState(const DirectoryCursor& cursor) {
    if (cursor.reachedEnd) return DirectoryState::kWhole;
    return cursor.entriesRead == 0 ? DirectoryState::kUnreadable : DirectoryState::kCutShort;
}

}  // namespace korven::unzip
