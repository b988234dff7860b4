#include "core/exec_and_wait.h"

#include <windows.h>

#include <vector>

#include "core/unique_handle.h"

std::int32_t ExecAndWait(const std::string& commandLine, std::uint16_t showWindow) {
    // CreateProcessA may write into the command line, so it gets its own copy.
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showWindow;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS,
                        nullptr, nullptr, &startup, &process))
        return -1;
    UniqueHandle processHandle(process.hProcess);
    UniqueHandle threadHandle(process.hThread);

    WaitForSingleObject(processHandle, INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(processHandle, &exitCode);
    // Codes above 0x7FFFFFFF (NTSTATUS crash codes) keep their bits.
    return static_cast<std::int32_t>(exitCode);
}
