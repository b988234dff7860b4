// POSIX side of the platform seam: native builds of the tests and tools.
#include "unzip/platform.h"
#include "unzip/platform_system.h"

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
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int fd;
};

void FileHandleCloser::operator()(FileHandle* file) const noexcept {
    ::close(file->fd);
    delete file;
}

namespace system {
namespace {

OwnedHandle Own(int fd) { return fd < 0 ? nullptr : OwnedHandle(new FileHandle(fd)); }

// The DOS date-time read as local time.
bool ToTimeT(uint32_t dosDateTime, time_t& when) {
    struct tm local = {};
    local.tm_sec = static_cast<int>((dosDateTime & 0x1F) * 2);
    local.tm_min = static_cast<int>((dosDateTime >> 5) & 0x3F);
    local.tm_hour = static_cast<int>((dosDateTime >> 11) & 0x1F);
    local.tm_mday = static_cast<int>((dosDateTime >> 16) & 0x1F);
    local.tm_mon = static_cast<int>(((dosDateTime >> 21) & 0x0F)) - 1;
    local.tm_year = static_cast<int>((dosDateTime >> 25) & 0x7F) + 80;
    local.tm_isdst = -1;
    when = ::mktime(&local);
    return when != static_cast<time_t>(-1);
}

}  // namespace

OwnedHandle OpenToRead(const std::string& path) {
    OwnedHandle file = Own(::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info;
    if (file && (::fstat(file->fd, &info) != 0 || S_ISDIR(info.st_mode))) file.reset();
    return file;
}

OwnedHandle CreateToWrite(const std::string& path, CreateResult& result) {
    // Never through a link at the last piece, even one put there after the
    // component looked.
    OwnedHandle file =
        Own(::open(NativePath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644));
    if (file) {
        result = CreateResult::kCreated;
    } else {
        result = (errno == ENOENT || errno == ENOTDIR) ? CreateResult::kPathNotFound : CreateResult::kFailed;
    }
    return file;
}

int64_t SizeOf(FileHandle& file) {
    struct stat info;
    return ::fstat(file.fd, &info) == 0 ? info.st_size : -1;
}

int64_t ReadAt(FileHandle& file, uint64_t offset, void* buffer, uint32_t count) {
    auto* out = static_cast<char*>(buffer);
    uint32_t done = 0;
    while (done < count) {
        ssize_t got = ::pread(file.fd, out + done, count - done, static_cast<off_t>(offset + done));
        if (got < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (got == 0) break;
        done += static_cast<uint32_t>(got);
    }
    return done;
}

uint32_t WriteAll(FileHandle& file, const void* data, uint32_t count) {
    auto* in = static_cast<const char*>(data);
    uint32_t done = 0;
    while (done < count) {
        ssize_t put = ::write(file.fd, in + done, count - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) break;
        done += static_cast<uint32_t>(put);
    }
    return done;
}

bool SetDosDateTime(FileHandle& file, uint32_t dosDateTime) {
    time_t when;
    if (!ToTimeT(dosDateTime, when)) return false;
    struct timespec times[2];
    times[0].tv_sec = when;
    times[0].tv_nsec = 0;
    times[1] = times[0];
    return ::futimens(file.fd, times) == 0;
}

bool Close(OwnedHandle handle) {
    FileHandle* file = handle.release();
    const bool closed = ::close(file->fd) == 0;
    delete file;
    return closed;
}

}  // namespace system

bool FileExists(const std::string& path) {
    struct stat info;
    return ::stat(NativePath(path).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

PathKind KindOfPath(const std::string& path) {
    struct stat info;
    if (::lstat(NativePath(path).c_str(), &info) != 0) return PathKind::kNothing;
    if (S_ISLNK(info.st_mode)) return PathKind::kLink;
    return S_ISDIR(info.st_mode) ? PathKind::kFolder : PathKind::kFile;
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
