// INSTALL.EXE: the KORVEN setup wizard.
#include <windows.h>

#include <cstdlib>

#include "shell/startup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::vector<std::string> arguments;
    for (int i = 1; i < __argc; ++i) arguments.emplace_back(__argv[i]);
    return RunInstaller(arguments);
}
