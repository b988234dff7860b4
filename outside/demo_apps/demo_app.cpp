// The demo application's programs (KORVEN.EXE, OUTPOST.EXE, UTILITY.EXE,
// PAYROLL.EXE): one small window that says which program it is and where it
// runs from, closed by Escape or its close box. The program's name comes in
// at compile time as KORVEN_PROGRAM.
//
// With KORVEN_TRACE naming a file, each start appends one flushed line:
// process id, program, command line.
#include <windows.h>

#include <string>

#include "outside/trace/stand_in_trace.h"

namespace {

constexpr wchar_t kClassName[] = L"Korven.DemoProgram";
constexpr int kPayloadResource = 1;

std::wstring Widen(const char* text) { return std::wstring(text, text + std::char_traits<char>::length(text)); }

std::wstring ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L'\\'));
}

// KORVEN.EXE carries its demonstration data as a resource; the others none.
DWORD PayloadSize() {
    HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(kPayloadResource), MAKEINTRESOURCEW(10));  // RT_RCDATA
    return resource ? SizeofResource(nullptr, resource) : 0;
}

std::wstring WindowText() {
    std::wstring text =
        Widen(KORVEN_PROGRAM) + L" \u2014 program demonstrativ\n\nPornit din dosarul:\n" + ProgramFolder() + L"\n";
    if (DWORD payload = PayloadSize()) {
        text += L"Date demonstrative: " + std::to_wstring(payload) + L" octeti\n";
    }
    return text + L"\nApasati Esc pentru a inchide.";
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) DestroyWindow(window);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT area;
        GetClientRect(window, &area);
        InflateRect(&area, -16, -16);
        HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        std::wstring text = WindowText();
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(dc, oldFont);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    AppendTraceLine(std::to_string(GetCurrentProcessId()) + " " KORVEN_PROGRAM " " + GetCommandLineA());
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));      // IDI_APPLICATION
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassW(&windowClass)) return 1;
    std::wstring title = Widen(KORVEN_PROGRAM) + L" (demonstrativ)";
    HWND window = CreateWindowW(kClassName, title.c_str(), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                CW_USEDEFAULT, CW_USEDEFAULT, 460, 220, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
