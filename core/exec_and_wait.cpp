#include "core/exec_and_wait.h"

#include <windows.h>

#include <vector>

#include "core/unique_handle.h"

namespace {

// The thread's windows, disabled while another program runs, so that no
// button starts another step meanwhile, and enabled again after.
class ThreadWindowsDisabled {
public:
    ThreadWindowsDisabled() : focus_(GetFocus()) {
        EnumThreadWindows(GetCurrentThreadId(), Disable, reinterpret_cast<LPARAM>(&disabled_));
    }
    ~ThreadWindowsDisabled() {
        for (HWND window : disabled_)
            if (IsWindow(window)) EnableWindow(window, TRUE);
        if (focus_ && IsWindow(focus_) && IsWindowEnabled(focus_)) SetFocus(focus_);
    }
    ThreadWindowsDisabled(const ThreadWindowsDisabled&) = delete;
    ThreadWindowsDisabled& operator=(const ThreadWindowsDisabled&) = delete;

private:
    static BOOL CALLBACK Disable(HWND window, LPARAM list) {
        if (IsWindowEnabled(window) && IsWindowVisible(window)) {
            EnableWindow(window, FALSE);
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        }
        return TRUE;
    }

    HWND focus_;
    std::vector<HWND> disabled_;
};

// Handles what is waiting. A request to quit is noted, and posted again
// once the wait is over, for the modal loop that ends on it.
void DispatchPending(bool& quitAsked, WPARAM& quitCode) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quitAsked = true;
            quitCode = message.wParam;
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

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

    // No time limit, but the windows keep answering: a program that
    // broadcasts a message or opens a DDE conversation waits for them.
    bool quitAsked = false;
    WPARAM quitCode = 0;
    {
        const ThreadWindowsDisabled disabled;
        HANDLE waited = processHandle;
        do {
            DispatchPending(quitAsked, quitCode);
        } while (MsgWaitForMultipleObjects(1, &waited, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0);
    }
    if (quitAsked) PostQuitMessage(static_cast<int>(quitCode));

    DWORD exitCode = 0;
    GetExitCodeProcess(processHandle, &exitCode);
    // Codes above 0x7FFFFFFF (NTSTATUS crash codes) keep their bits.
    return static_cast<std::int32_t>(exitCode);
}
