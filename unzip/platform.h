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

// An archive opened read-only. Closed when it goes out of scope.
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
    std::unique_ptr<FileHandle> handle_;
};

enum class CreateResult { kCreated, kPathNotFound, kFailed };

// An output file, created or truncated. Closed when it goes out of scope.
class OutputFile {
public:
    OutputFile();
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    CreateResult Create(const std::string& path);
    // True when every byte was written.
    bool Write(const void* data, uint32_t count);
    bool Close();

private:
    std::unique_ptr<FileHandle> handle_;
};

bool FileExists(const std::string& path);  // a file, not a folder
// What is at a path, a link not followed: nothing, a symbolic link or a
// junction (also one whose target is missing), or anything else.
enum class PathKind { kNothing, kLink, kOther };
PathKind KindOfPath(const std::string& path);
bool FolderExists(const std::string& path);
bool DeleteFileAt(const std::string& path);
// Creates one folder level; true when it exists afterwards.
bool MakeFolder(const std::string& path);
// Gives the file the local DOS date-time (time in the low 16 bits, date high).
bool SetFileDosDateTime(const std::string& path, uint32_t dosDateTime);
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
