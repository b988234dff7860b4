// POSIX side of the platform seam: native builds of the tests and tools.
#include "unzip/platform.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>

namespace korven::unzip {
namespace platform {
namespace {

std::string NativePath(const std::string& path) {
    std::string native = path;
    for (char& c : native) {
        if (c == '\\') c = '/';
    }
    return native;
}

}  // namespace

struct FileHandle {
    explicit FileHandle(int descriptor) : fd(descriptor) {}
    ~FileHandle() {
        if (fd >= 0) ::close(fd);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    // Closes now and tells whether the close succeeded.
    bool Release() {
        int result = ::close(fd);
        fd = -1;
        return result == 0;
    }
    int fd;
};

InputFile::InputFile() = default;
InputFile::~InputFile() = default;
InputFile::InputFile(InputFile&&) noexcept = default;
InputFile& InputFile::operator=(InputFile&&) noexcept = default;

bool InputFile::Open(const std::string& path) {
    handle_.reset();
    int fd = ::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info;
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        return false;
    }
    handle_ = std::make_unique<FileHandle>(fd);
    return true;
}

bool InputFile::IsOpen() const { return handle_ != nullptr; }

int64_t InputFile::Size() {
    struct stat info;
    if (!handle_ || ::fstat(handle_->fd, &info) != 0) return -1;
    return info.st_size;
}

bool InputFile::Seek(uint64_t offset) {
    return handle_ && ::lseek(handle_->fd, static_cast<off_t>(offset), SEEK_SET) >= 0;
}

int64_t InputFile::Read(void* buffer, uint32_t count) {
    if (!handle_) return -1;
    auto* out = static_cast<char*>(buffer);
    uint32_t done = 0;
    while (done < count) {
        ssize_t got = ::read(handle_->fd, out + done, count - done);
        if (got < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (got == 0) break;
        done += static_cast<uint32_t>(got);
    }
    return done;
}

void InputFile::Close() { handle_.reset(); }

OutputFile::OutputFile() = default;
OutputFile::~OutputFile() = default;

CreateResult OutputFile::Create(const std::string& path) {
    handle_.reset();
    // Never through a link at the last piece, even one put there after the
    // component looked.
    int fd = ::open(NativePath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0) {
        return (errno == ENOENT || errno == ENOTDIR) ? CreateResult::kPathNotFound : CreateResult::kFailed;
    }
    handle_ = std::make_unique<FileHandle>(fd);
    return CreateResult::kCreated;
}

bool OutputFile::Write(const void* data, uint32_t count) {
    if (!handle_) return false;
    auto* in = static_cast<const char*>(data);
    uint32_t done = 0;
    while (done < count) {
        ssize_t put = ::write(handle_->fd, in + done, count - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<uint32_t>(put);
    }
    return true;
}

bool OutputFile::Close() {
    if (!handle_) return true;
    bool closed = handle_->Release();
    handle_.reset();
    return closed;
}

bool FileExists(const std::string& path) {
    struct stat info;
    return ::stat(NativePath(path).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

PathKind KindOfPath(const std::string& path) {
    struct stat info;
    if (::lstat(NativePath(path).c_str(), &info) != 0) return PathKind::kNothing;
    return S_ISLNK(info.st_mode) ? PathKind::kLink : PathKind::kOther;
}

bool FolderExists(const std::string& path) {
    struct stat info;
    return ::stat(NativePath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool DeleteFileAt(const std::string& path) { return ::unlink(NativePath(path).c_str()) == 0; }

bool MakeFolder(const std::string& path) {
    std::string native = NativePath(path);
    return ::mkdir(native.c_str(), 0755) == 0 || FolderExists(path);
}

bool SetFileDosDateTime(const std::string& path, uint32_t dosDateTime) {
    struct tm local = {};
    local.tm_sec = static_cast<int>((dosDateTime & 0x1F) * 2);
    local.tm_min = static_cast<int>((dosDateTime >> 5) & 0x3F);
    local.tm_hour = static_cast<int>((dosDateTime >> 11) & 0x1F);
    local.tm_mday = static_cast<int>((dosDateTime >> 16) & 0x1F);
    local.tm_mon = static_cast<int>(((dosDateTime >> 21) & 0x0F)) - 1;
    local.tm_year = static_cast<int>((dosDateTime >> 25) & 0x7F) + 80;
    local.tm_isdst = -1;
    time_t when = ::mktime(&local);
    if (when == static_cast<time_t>(-1)) return false;
    struct timespec times[2];
    times[0].tv_sec = when;
    times[0].tv_nsec = 0;
    times[1] = times[0];
    return ::utimensat(AT_FDCWD, NativePath(path).c_str(), times, 0) == 0;
}

size_t LongestPath() { return PATH_MAX - 1; }  // PATH_MAX counts the NUL

std::string DriveRoot(const std::string&) { return {}; }

}  // namespace platform

namespace {

// Without a window system there is nothing to pump, no key to watch and no
// notify window to send to.
class PosixHost final : public EngineHost {
public:
    void PumpMessages(NotifyWindow) override {}
    bool IsKeyDown(uint32_t) override { return false; }
    uint32_t TickCount() override {
        using namespace std::chrono;
        return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }
    void NotifyProgress(NotifyWindow, uint32_t, uint16_t*) override {}
};

}  // namespace

EngineHost& DefaultHost() {
    static PosixHost host;
    return host;
}

}  // namespace korven::unzip
