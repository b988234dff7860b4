// Stand-in for one of the outside set-up tools that the configuration runs
// from the program folder (the help engine's installer, the control
// registrar). It takes any command line and ends at once. For tests:
//
//   KORVEN_TRACE=FILE     appends one line to FILE: process id, program name,
//                         the command line word for word, the current folder
//                         and the show mode it was started with, separated
//                         by tabs
//   KORVEN_TOOL_EXIT=N    ends with exit code N (0 without it)
#include <windows.h>

#include <cstdlib>
#include <string>

#ifndef TOOL_NAME
#error "TOOL_NAME names the program"
#endif

namespace {

std::string Environment(const char* name) {
    char value[MAX_PATH * 2];
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

std::string CurrentFolder() {
    char folder[MAX_PATH * 2];
    const DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
    return length > 0 && length < sizeof folder ? std::string(folder, length) : std::string();
}

int ShowMode() {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
}

// One write to a file opened for appending: lines of tools that run one
// after the other never mix, and each is on the disk when the tool ends.
void Trace(const std::string& file) {
    const std::string line = std::to_string(GetCurrentProcessId()) + "\t" TOOL_NAME "\t" + GetCommandLineA() + "\t" +
                             CurrentFolder() + "\t" + std::to_string(ShowMode()) + "\r\n";
    HANDLE trace = CreateFileA(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (trace == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(trace, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    FlushFileBuffers(trace);
    CloseHandle(trace);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::string trace = Environment("KORVEN_TRACE");
    if (!trace.empty()) Trace(trace);
    return std::atoi(Environment("KORVEN_TOOL_EXIT").c_str());
}
