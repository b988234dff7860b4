#include "ui_driver.h"

#include "framework/gdi.h"
#include "framework/graphics.h"

namespace ui {
namespace {

struct WindowSearch {
    const std::string& caption;
    DWORD processId;
    HWND found = nullptr;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    if (!IsWindowVisible(window)) return TRUE;
    if (search->processId != 0) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != search->processId) return TRUE;
    }
    if (Text(window) != search->caption) return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK MatchChild(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    if (!IsWindowVisible(window) || Text(window) != search->caption) return TRUE;
    search->found = window;
    return FALSE;
}

// Normalised absolute coordinates of SendInput: 0..65535 across the screen.
LONG Absolute(int pixel, int screenSize) {
    return static_cast<LONG>((pixel * 65535LL + screenSize / 2) / (screenSize - 1));
}

void SendMouse(DWORD flags, int x, int y) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = Absolute(x, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = Absolute(y, GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

void SendKey(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

}  // namespace

std::string Text(HWND window) {
    char text[1024] = {};
    // Through the message, so that it works across processes for child windows.
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
    return text;
}

HWND FindWindowNow(const std::string& caption, DWORD processId) {
    WindowSearch search{caption, processId};
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(const std::string& caption, DWORD processId, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        if (HWND found = FindWindowNow(caption, processId)) {
            Settle();
            return found;
        }
        Sleep(50);
    } while (GetTickCount() - start < milliseconds);
    return nullptr;
}

HWND Control(HWND window, const std::string& caption) {
    WindowSearch search{caption, 0};
    EnumChildWindows(window, MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

namespace {

struct EditSearch {
    int left;
    HWND found = nullptr;
};

BOOL CALLBACK MatchEdit(HWND child, LPARAM data) {
    auto& search = *reinterpret_cast<EditSearch*>(data);
    char name[64] = {};
    GetClassNameA(child, name, sizeof name);
    // Edits are made from the system's edit class under names of their own
    // ("Korven.TActiveEdit"); a field is any class whose name ends so.
    const size_t length = lstrlenA(name);
    if (length < 4 || lstrcmpiA(name + length - 4, "Edit") != 0 || search.left-- > 0) return TRUE;
    search.found = child;
    return FALSE;
}

}  // namespace

HWND EditField(HWND window, int index) {
    EditSearch search{index};
    EnumChildWindows(window, MatchEdit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Click(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    SendMouse(MOUSEEVENTF_MOVE, x, y);
    Sleep(60);
    SendMouse(MOUSEEVENTF_LEFTDOWN, x, y);
    Sleep(60);
    SendMouse(MOUSEEVENTF_LEFTUP, x, y);
    Sleep(100);
}

void PressKey(WORD virtualKey, bool alt) {
    if (alt) SendKey(VK_MENU, false);
    SendKey(virtualKey, false);
    Sleep(30);
    SendKey(virtualKey, true);
    if (alt) SendKey(VK_MENU, true);
    Sleep(100);
}

void TypeText(const std::string& text) {
    for (char c : text) {
        // The character itself, as a keyboard of any layout would give it.
        INPUT key[2] = {};
        for (int i = 0; i < 2; ++i) {
            key[i].type = INPUT_KEYBOARD;
            key[i].ki.wScan = static_cast<unsigned char>(c);
            key[i].ki.dwFlags = KEYEVENTF_UNICODE | (i ? KEYEVENTF_KEYUP : 0);
        }
        SendInput(2, key, sizeof(INPUT));
        Sleep(30);
    }
    Sleep(100);
}

bool WaitGone(HWND window, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        if (!IsWindow(window) || !IsWindowVisible(window)) return true;
        Sleep(50);
    } while (GetTickCount() - start < milliseconds);
    return false;
}

void Settle(DWORD milliseconds) { Sleep(milliseconds); }

void SaveScreen(const std::string& path) {
    TBitmap shot;
    shot.SetSize(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    gdi::WindowDC screen(nullptr);
    BitBlt(shot.Canvas().Handle(), 0, 0, shot.Width(), shot.Height(), screen, 0, 0, SRCCOPY);
    shot.SaveToFile(path);
}

}  // namespace ui
