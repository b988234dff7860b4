#include "config_test_support.h"

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
    const auto toUnix =
        reinterpret_cast<UnixFileName>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
    if (!toUnix) return {};
    std::wstring wide(path.begin(), path.end());
    char* unix = toUnix(wide.c_str());
    if (!unix) return {};
    std::string name = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return name;
}

}  // namespace

void LinkToFileThatFailsToRead(const std::string& path) {
    DeleteFileA(path.c_str());
    const std::string unixName = UnixName(path);
    ASSERT_FALSE(unixName.empty()) << "no Unix name for " << path;
    std::string command = std::string("Z:\\bin\\ln -s ") + kFailingFile + " \"" + unixName + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(
        CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        << command;
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    ASSERT_TRUE(StillTheFailingLink(path)) << command;
}

bool StillTheFailingLink(const std::string& path) {
    // A file written in its place would read.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    char byte;
    DWORD got = 0;
    const bool failed = !ReadFile(file, &byte, 1, &got, nullptr);
    CloseHandle(file);
    return failed;
}
