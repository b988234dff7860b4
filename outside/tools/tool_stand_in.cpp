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

#include "outside/trace/stand_in_trace.h"

#ifndef TOOL_NAME
#error "TOOL_NAME names the program"
#endif

namespace {

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

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    AppendTraceLine(std::to_string(GetCurrentProcessId()) + "\t" TOOL_NAME "\t" + GetCommandLineA() + "\t" +
                    CurrentFolder() + "\t" + std::to_string(ShowMode()));
    return std::atoi(EnvironmentValue("KORVEN_TOOL_EXIT").c_str());
}
