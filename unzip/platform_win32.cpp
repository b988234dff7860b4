// Win32 side of the platform seam: the installer itself. ANSI calls
// throughout, as the rest of the installer uses them.
#include "unzip/platform.h"

#include <windows.h>

namespace korven::unzip {
namespace platform {

struct FileHandle {
    explicit FileHandle(HANDLE h) : handle(h) {}
    ~FileHandle() {
        if (handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    // Closes now and tells whether the close succeeded.
    bool Release() {
        BOOL closed = ::CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
        return closed != FALSE;
    }
    operator HANDLE() const { return handle; }
    HANDLE handle;
};

InputFile::InputFile() = default;
InputFile::~InputFile() = default;
InputFile::InputFile(InputFile&&) noexcept = default;
InputFile& InputFile::operator=(InputFile&&) noexcept = default;

bool InputFile::Open(const std::string& path) {
    handle_.reset();
    HANDLE h = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    handle_ = std::make_unique<FileHandle>(h);
    return true;
}

bool InputFile::IsOpen() const { return handle_ != nullptr; }

int64_t InputFile::Size() {
    LARGE_INTEGER size;
    if (!handle_ || !::GetFileSizeEx(*handle_, &size)) return -1;
    return size.QuadPart;
}

bool InputFile::Seek(uint64_t offset) {
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(offset);
    return handle_ && ::SetFilePointerEx(*handle_, to, nullptr, FILE_BEGIN);
}

int64_t InputFile::Read(void* buffer, uint32_t count) {
    DWORD got = 0;
    if (!handle_ || !::ReadFile(*handle_, buffer, count, &got, nullptr)) return -1;
    return got;
}

void InputFile::Close() { handle_.reset(); }

OutputFile::OutputFile() = default;
OutputFile::~OutputFile() = default;

CreateResult OutputFile::Create(const std::string& path) {
    handle_.reset();
    HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return ::GetLastError() == ERROR_PATH_NOT_FOUND ? CreateResult::kPathNotFound : CreateResult::kFailed;
    }
    handle_ = std::make_unique<FileHandle>(h);
    return CreateResult::kCreated;
}

bool OutputFile::Write(const void* data, uint32_t count) {
    DWORD put = 0;
    return handle_ && ::WriteFile(*handle_, data, count, &put, nullptr) && put == count;
}

bool OutputFile::Close() {
    if (!handle_) return true;
    bool closed = handle_->Release();
    handle_.reset();
    return closed;
}

bool FileExists(const std::string& path) {
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Junctions and symbolic links are both reparse points; the attributes are
// the link's own, never its target's.
PathKind KindOfPath(const std::string& path) {
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::kNothing;
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) ? PathKind::kLink : PathKind::kOther;
}

bool FolderExists(const std::string& path) {
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DeleteFileAt(const std::string& path) { return ::DeleteFileA(path.c_str()) != FALSE; }

bool MakeFolder(const std::string& path) { return ::CreateDirectoryA(path.c_str(), nullptr) || FolderExists(path); }

bool SetFileDosDateTime(const std::string& path, uint32_t dosDateTime) {
    FILETIME local, utc;
    if (!::DosDateTimeToFileTime(static_cast<WORD>(dosDateTime >> 16), static_cast<WORD>(dosDateTime & 0xFFFF),
                                 &local) ||
        !::LocalFileTimeToFileTime(&local, &utc)) {
        return false;
    }
    FileHandle file(
        ::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.handle == INVALID_HANDLE_VALUE) return false;
    return ::SetFileTime(file, nullptr, nullptr, &utc) != FALSE;
}

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
