// Asking Windows to restart the computer. The end page's "&Restart!" goes
// through here, so that tests can take the request instead of Windows.
#pragma once

#include <functional>

// Enables the shutdown privilege of the process (Windows versions that
// require it refuse the restart otherwise), then asks for the restart with
// ExitWindowsEx(EWX_REBOOT, 0). True when Windows accepted.
bool RequestRestart();

// Tests put a recorder in place of Windows; an empty one restores it.
using RestartHook = std::function<bool()>;
void SetRestartHook(RestartHook hook);
