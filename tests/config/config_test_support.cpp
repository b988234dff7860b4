#include "config_test_support.h"

#include <sstream>

#include "debug_log.h"
#include "toolkit/message_dialog.h"
#include "user_interface.h"

ScratchFolder::ScratchFolder(const std::string& name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int count = 0;
    path_ =
        std::string(temp) + name + " " + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count) + "\\";
    RemoveTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

std::string WindowsFile(const char* name) {
    char folder[MAX_PATH];
    GetWindowsDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\" + name;
}

void RemoveTree(const std::string& folder) {
    const std::string base = folder.back() == '\\' ? folder : folder + "\\";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((base + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = base + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(base.c_str());
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

CapturedLog::CapturedLog() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + "korven-config-" + std::to_string(GetCurrentProcessId()) + ".log";
    DeleteFileA(path_.c_str());
    DebugEnabled = true;
    DebugOpen(path_, "INSTALL");
}

CapturedLog::~CapturedLog() {
    DebugClose();
    DeleteFileA(path_.c_str());
}

std::vector<std::string> CapturedLog::Lines() const {
    std::vector<std::string> lines;
    std::istringstream text(ReadBytes(path_));
    for (std::string line; std::getline(text, line);) {
        const std::size_t stamp = line.rfind(" <TIMP ");
        if (stamp != std::string::npos) line.erase(stamp);
        line.erase(0, line.find_first_not_of(" |"));
        lines.push_back(line);
    }
    return lines;
}

bool CapturedLog::HasNote(const std::string& text) const {
    for (const std::string& written : Lines())
        if (written == "*       " + text) return true;
    return false;
}

DialogRecorder::DialogRecorder() {
    SetMessageDialogWatcher([this](TMessageDialogForm& dialog) {
        shown.push_back({dialog.Message(), dialog.Caption()});
        dialog.ClickDefaultButtons();
    });
}

DialogRecorder::~DialogRecorder() { SetMessageDialogWatcher(nullptr); }

void StartTestUserInterface() {
    static const bool started = [] {
        StartUserInterface();
        return true;
    }();
    (void)started;
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
