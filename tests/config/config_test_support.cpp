#include "config_test_support.h"

#include <functional>

std::string WindowsFile(const char* name) {
    char folder[MAX_PATH];
    GetWindowsDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\" + name;
}

KeptFile::KeptFile(std::string path) : path_(std::move(path)) {
    attributes_ = GetFileAttributesA(path_.c_str());
    if (attributes_ != INVALID_FILE_ATTRIBUTES) bytes_ = ReadBytes(path_);
}

KeptFile::~KeptFile() {
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!bytes_) {
        DeleteFileA(path_.c_str());
        return;
    }
    WriteBytes(path_, *bytes_);
    SetFileAttributesA(path_.c_str(), attributes_);
}

namespace {

constexpr char kFailingFile[] = "/proc/self/mem";

std::string UnixName(const std::string& path) {
    using UnixFileName = char*(CDECL*)(const WCHAR*);
    const auto toUnix = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return {};
    std::wstring wide(path.begin(), path.end());
    char* unix = toUnix(wide.c_str());
    if (!unix) return {};
    std::string name = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return name;
}

// Runs a Unix tool of the machine and waits until `done` holds: Wine hands
// a Unix program over and signals its process handle at once, before the
// tool has done its work. False when it never came to hold.
bool RunUnixTool(std::string command, const std::function<bool()>& done) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    for (int tries = 0; tries < 100 && !done(); ++tries) Sleep(100);
    return done();
}

}  // namespace

FailingLink::FailingLink(std::string path) : path_(std::move(path)) {
    DeleteFileA(path_.c_str());
    const std::string unixName = UnixName(path_);
    made_ = !unixName.empty() && RunUnixTool(std::string("Z:\\bin\\ln -s ") + kFailingFile + " \"" + unixName + "\"",
                                             [this] { return StillTheFailingLink(path_); });
}

FailingLink::~FailingLink() {
    // Windows cannot delete the link: opening it for deletion opens its target.
    const std::string unixName = UnixName(path_);
    if (!unixName.empty())
        RunUnixTool("Z:\\bin\\rm -f \"" + unixName + "\"",
                    [this] { return GetFileAttributesA(path_.c_str()) == INVALID_FILE_ATTRIBUTES; });
}

bool StillTheFailingLink(const std::string& path) {
    // A file written in its place would read.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    char first;
    DWORD got = 0;
    const bool failed = !ReadFile(file, &first, 1, &got, nullptr);
    CloseHandle(file);
    return failed;
}
