#include "pages/restart_request.h"

#include <windows.h>

#include "core/debug_log.h"
#include "core/unique_handle.h"

namespace {

RestartHook& Hook() {
    static RestartHook hook;
    return hook;
}

// A user without the right to shut down keeps the privilege off: Windows
// then refuses the restart, which is the answer we report.
void EnableShutdownPrivilege() {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw)) return;
    UniqueHandle token(raw);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid)) return;
    AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
}

}  // namespace

void SetRestartHook(RestartHook hook) { Hook() = std::move(hook); }

bool RequestRestart() {
    if (Hook()) return Hook()();
    EnableShutdownPrivilege();
    const bool accepted = ExitWindowsEx(EWX_REBOOT, 0) != 0;
    if (!accepted) DebugNote("Windows a refuzat repornirea, cod " + std::to_string(GetLastError()));
    return accepted;
}
