// Win32 side of the platform seam: the installer itself. ANSI calls
// throughout, as the rest of the installer uses them.
#include "unzip/platform.h"
#include "unzip/platform_system.h"

#include <windows.h>

namespace korven::unzip {
namespace platform {

struct FileHandle {
    explicit FileHandle(HANDLE h) : handle(h) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    operator HANDLE() const { return handle; }
    HANDLE handle;
};

void FileHandleCloser::operator()(FileHandle* file) const noexcept {
    ::CloseHandle(file->handle);
    delete file;
}

namespace system {
namespace {

OwnedHandle Own(HANDLE h) { return h == INVALID_HANDLE_VALUE ? nullptr : OwnedHandle(new FileHandle(h)); }

}  // namespace

OwnedHandle OpenToRead(const std::string& path) {
    return Own(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

OwnedHandle CreateToWrite(const std::string& path, CreateResult& result) {
    OwnedHandle file =
        Own(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) {
        result = CreateResult::kCreated;
    } else {
        result = ::GetLastError() == ERROR_PATH_NOT_FOUND ? CreateResult::kPathNotFound : CreateResult::kFailed;
    }
    return file;
}

int64_t SizeOf(FileHandle& file) {
    LARGE_INTEGER size;
    return ::GetFileSizeEx(file, &size) ? size.QuadPart : -1;
}

// The offset goes with the read (one call, no separate seek); on a handle
// opened for synchronous use ReadFile still waits for the data.
int64_t ReadAt(FileHandle& file, uint64_t offset, void* buffer, uint32_t count) {
    OVERLAPPED at = {};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD got = 0;
    if (!::ReadFile(file, buffer, count, &got, &at)) return ::GetLastError() == ERROR_HANDLE_EOF ? 0 : -1;
    return got;
}

uint32_t WriteAll(FileHandle& file, const void* data, uint32_t count) {
    const auto* in = static_cast<const uint8_t*>(data);
    uint32_t done = 0;
    while (done < count) {
        DWORD put = 0;
        BOOL wrote = ::WriteFile(file, in + done, count - done, &put, nullptr);
        done += put;
        if (!wrote || put == 0) break;
    }
    return done;
}

bool SetDosDateTime(FileHandle& file, uint32_t dosDateTime) {
    FILETIME local, utc;
    return ::DosDateTimeToFileTime(static_cast<WORD>(dosDateTime >> 16), static_cast<WORD>(dosDateTime & 0xFFFF),
                                   &local) &&
           ::LocalFileTimeToFileTime(&local, &utc) && ::SetFileTime(file, nullptr, nullptr, &utc);
}

bool Close(OwnedHandle handle) {
    FileHandle* file = handle.release();
    const bool closed = ::CloseHandle(file->handle) != FALSE;
    delete file;
    return closed;
}

}  // namespace system

bool FileExists(const std::string& path) {
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Junctions and symbolic links are both reparse points; the attributes are
// the link's own, never its target's.
PathKind KindOfPath(const std::string& path) {
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::kNothing;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return PathKind::kLink;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::kFolder : PathKind::kFile;
}

bool FolderExists(const std::string& path) {
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DeleteFileAt(const std::string& path) { return ::DeleteFileA(path.c_str()) != FALSE; }

bool MakeFolder(const std::string& path) { return ::CreateDirectoryA(path.c_str(), nullptr) || FolderExists(path); }

// The ANSI calls take MAX_PATH characters with the NUL.
size_t LongestPath() { return MAX_PATH - 1; }

std::string DriveRoot(const std::string& piece) {
    bool isDrive = piece.size() == 2 && piece[1] == ':' &&
                   ((piece[0] >= 'A' && piece[0] <= 'Z') || (piece[0] >= 'a' && piece[0] <= 'z'));
    return isDrive ? piece + "\\" : std::string();
}

}  // namespace platform

namespace {

class Win32Host final : public EngineHost {
public:
    void PumpMessages(NotifyWindow notifyWindow) override {
        HWND dialog = reinterpret_cast<HWND>(notifyWindow);
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (dialog && ::IsDialogMessageA(dialog, &message)) continue;
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }
    bool IsKeyDown(uint32_t virtualKey) override {
        return (::GetAsyncKeyState(static_cast<int>(virtualKey)) & 0x8000) != 0;
    }
    uint32_t TickCount() override { return ::GetTickCount(); }
    void NotifyProgress(NotifyWindow notifyWindow, uint32_t command, uint16_t* percentCell) override {
        ::SendMessageA(reinterpret_cast<HWND>(notifyWindow), WM_COMMAND, command,
                       reinterpret_cast<LPARAM>(percentCell));
    }
};

}  // namespace

EngineHost& DefaultHost() {
    static Win32Host host;
    return host;
}

}  // namespace korven::unzip
