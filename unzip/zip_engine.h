// The ZIP engine: recognises an archive, walks its central directory and
// extracts one member at a time into a file, with the member's date. It
// decodes methods 0 (stored), 1 (shrunk), 6 (imploded) and 8 (deflated).
//
// It is not the component the pages use (that is TQuillUnzip, in
// quill_unzip.h), and it shows nothing: every failure is a ResultCode.
// One member is extracted at a time, on the user-interface thread; while it
// works the engine pumps that thread's messages through the platform seam.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "unzip/platform.h"
#include "unzip/zip_types.h"

namespace korven::unzip {

inline constexpr uint16_t kDirectoryWindow = 64000;  // largest directory held at once
inline constexpr uint32_t kEscapeKey = 27;

// One walk over a central directory, owned by its caller. Holds the current
// entry. A directory of 64000 bytes or more is walked through a window of
// that size and the archive stays open behind it (windowed mode).
struct DirectoryCursor {
    std::vector<uint8_t> buffer;  // the directory, or a window of it
    uint16_t bufferSize = 0;      // bytes held
    uint16_t position = 0;        // offset of the next entry in the buffer

    uint32_t dateTime = 0;  // DOS date-time
    int32_t uncompressedSize = 0;
    int32_t compressedSize = 0;
    int32_t localHeaderOffset = 0;
    // The whole stored name, "/" replaced by "\". Never cut: a NUL byte stays
    // in it, so that the name check can refuse it instead of a file-system
    // call ending the name there.
    std::string name;
    uint16_t method = 0;
    uint8_t attributes = 0;  // DOS attribute bits when made on MS-DOS, else 0
    uint16_t flags = 0;      // general-purpose flags, for listings
    uint32_t crc32 = 0;      // as the directory states it, for listings

    platform::InputFile file;  // open in windowed mode only

    // How the walk went; kept after the cursor closes, reset by OpenDirectory.
    uint32_t entriesRead = 0;
    bool reachedEnd = false;  // the walk met the end record, not a malformed entry

    bool IsOpen() const { return !buffer.empty(); }
    bool IsWindowed() const { return file.IsOpen(); }
};

// True when the path has a ".", does not contain ".exe", is not a folder
// and begins with a local header signature.
bool IsZipArchive(const std::string& path);

// Finds the end record, loads the directory and reads the first entry.
// 0, kNoDirectory, kEndRecordTooEarly, or kDirectoryEnd (cursor closed).
int OpenDirectory(const std::string& path, DirectoryCursor& cursor);

// 0 and the next entry; kDirectoryEnd when exhausted or malformed, after
// which the cursor is closed.
int NextDirectoryEntry(DirectoryCursor& cursor);

// Frees the buffer and closes the archive. Safe on a closed cursor.
void CloseDirectory(DirectoryCursor& cursor);

// How much of the directory the cursor's walk has read so far.
DirectoryState WalkState(const DirectoryCursor& cursor);

// Extracts the member whose local header is at `localHeaderOffset` into
// `outputPath` (a full file name; a name ending in "\" or "/" creates that
// folder). Progress goes to the notify window as WM_COMMAND(commandOrKey),
// or without a window the key `commandOrKey` aborts. 0 or a ResultCode.
//
// `declaredSize` is the uncompressed size the directory declares; without
// it the local header's counts (and nothing bounds a member whose sizes
// follow its data). Output that runs past it is damage: the file is cut
// there, deleted, and the result is kCrcMismatch.
int ExtractMember(const std::string& archivePath, const std::string& outputPath, uint32_t localHeaderOffset,
                  NotifyWindow notifyWindow, uint32_t commandOrKey,
                  std::optional<uint32_t> declaredSize = std::nullopt);
// The same from an archive the caller holds open, so that a walk over many
// members opens it once; a closed one fails as an archive that cannot be
// opened (kReadFailed).
int ExtractMember(platform::InputFile& archive, const std::string& outputPath, uint32_t localHeaderOffset,
                  NotifyWindow notifyWindow, uint32_t commandOrKey,
                  std::optional<uint32_t> declaredSize = std::nullopt);

// Bit n set for each method n that the engine decodes.
uint32_t SupportedMethods();

}  // namespace korven::unzip
