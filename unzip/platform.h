// The engine's platform seam: the only place where the ZIP engine touches the
// operating system. Two implementations exist, platform_win32.cpp (the real
// installer) and platform_posix.cpp (native builds of the tests and tools).
// Paths are given the Windows way, with "\" separators; the POSIX side turns
// them into "/" before use, so the same member names work on both.
//
// Files and folders are compiled in per platform. The user-interface side
// (message pump, key state, clock, notify window) is a replaceable EngineHost
// so that tests can drive the busy guard, the Escape key and the notify
// window's reply without a real desktop.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace korven::unzip {

// Opaque window handle of the notify window; 0 means none.
using NotifyWindow = uintptr_t;

namespace platform {

struct FileHandle;  // the platform's own handle, wrapped once per platform
struct FileHandleCloser {
    void operator()(FileHandle* handle) const noexcept;
};
using OwnedHandle = std::unique_ptr<FileHandle, FileHandleCloser>;

// Reads and writes go to the system in large blocks: under Wine every system
// call is a round trip with signal-mask changes, and the engine's own reads
// (4096-byte refills, 30-byte local headers) and writes (one decoder block
// at a time, 767 bytes for shrink) are small.
inline constexpr uint32_t kInputBlock = 64 * 1024;
inline constexpr uint32_t kOutputBlock = 256 * 1024;

// An archive opened read-only, read through one block of kInputBlock bytes:
// reads and seeks inside the block ask the system nothing. Closed when it
// goes out of scope.
class InputFile {
public:
    InputFile();
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    InputFile(InputFile&&) noexcept;
    InputFile& operator=(InputFile&&) noexcept;

    bool Open(const std::string& path);
    bool IsOpen() const;
    // Size in bytes, or -1 when it cannot be taken.
    int64_t Size();
    bool Seek(uint64_t offset);
    // Bytes read (0 at the end of the file), or -1 on an I/O error.
    int64_t Read(void* buffer, uint32_t count);
    void Close();

private:
    OwnedHandle handle_;
    std::unique_ptr<uint8_t[]> block_;  // allocated at the first read
    uint64_t blockStart_ = 0;           // file offset of block_[0]
    uint32_t blockSize_ = 0;            // bytes of the file held in block_
    uint64_t position_ = 0;             // where the next read starts
};

enum class CreateResult { kCreated, kPathNotFound, kFailed };

// An output file, created or truncated, written through a buffer. Closed
// when it goes out of scope (what is still buffered then is lost: Close or
// Flush first). After a failed system write every later write fails too.
class OutputFile {
public:
    OutputFile();
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // `expectedSize` sizes the buffer: no larger than kOutputBlock, and no
    // larger than the file is expected to grow.
    CreateResult Create(const std::string& path, uint64_t expectedSize = kOutputBlock);
    // Takes the bytes; false when a system write failed, now or before.
    bool Write(const void* data, uint32_t count);
    // Hands what is buffered to the system; false on a failed write.
    bool Flush();
    // Bytes the system has taken so far: when a write fails part-way, the
    // bytes that reached the file before the failure.
    uint64_t Committed() const { return committed_; }
    // Gives the file the local DOS date-time (time in the low 16 bits, date
    // high) through the open handle, after a flush.
    bool SetDosDateTime(uint32_t dosDateTime);
    // Flushes and closes; false when either failed.
    bool Close();

private:
    bool WriteThrough(const uint8_t* data, uint32_t count);

    OwnedHandle handle_;
    std::unique_ptr<uint8_t[]> buffer_;
    uint32_t capacity_ = 0;
    uint32_t buffered_ = 0;
    uint64_t committed_ = 0;
    bool failed_ = false;
};

bool FileExists(const std::string& path);  // a file, not a folder
// What is at a path, a link not followed: nothing, a symbolic link or a
// junction (also one whose target is missing), a folder, or anything else
// (a file).
enum class PathKind { kNothing, kLink, kFolder, kFile };
PathKind KindOfPath(const std::string& path);
bool FolderExists(const std::string& path);
bool DeleteFileAt(const std::string& path);
// Creates one folder level; true when it exists afterwards.
bool MakeFolder(const std::string& path);
// The longest full path that files and folders can be created under with
// the calls this seam makes.
size_t LongestPath();
// The root folder named by a leading path piece such as "C:", with its
// final separator; empty when the piece names no drive on this platform.
std::string DriveRoot(const std::string& piece);

}  // namespace platform

// The user-interface side of the seam. The default host talks to the real
// message queue and keyboard on Windows and does nothing on POSIX.
class EngineHost {
public:
    virtual ~EngineHost() = default;
    // Takes every waiting message off the queue; a notify window's dialog
    // messages go through it first.
    virtual void PumpMessages(NotifyWindow notifyWindow) = 0;
    // True while the virtual key is held down.
    virtual bool IsKeyDown(uint32_t virtualKey) = 0;
    // Milliseconds since the system started.
    virtual uint32_t TickCount() = 0;
    // Sends WM_COMMAND(command, address of the cell) to the notify window; the
    // window may write 0xFFFF into the cell to ask the engine to stop.
    virtual void NotifyProgress(NotifyWindow notifyWindow, uint32_t command, uint16_t* percentCell) = 0;
};

// The host in use. Tests install their own; nullptr restores the default.
EngineHost& CurrentHost();
void SetEngineHost(EngineHost* host);

// The platform's default host (defined in the platform file).
EngineHost& DefaultHost();

}  // namespace korven::unzip
