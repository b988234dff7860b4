// Drives the installer's windows from outside, as a person at the screen
// would: windows are found by their caption, controls by their caption
// (or class), and acted on only with the mouse at the control's place on the
// screen and with the keyboard. Every action waits for what it expects.
#pragma once
#include <windows.h>

#include <string>

namespace ui {

// A visible top-level window of the process (0: any process) whose caption
// is exactly `caption`; null when none appears within the time.
HWND WaitForWindow(const std::string& caption, DWORD processId = 0, DWORD milliseconds = 20000);
// The same without waiting.
HWND FindWindowNow(const std::string& caption, DWORD processId = 0);
// A visible, enabled-or-not child window (at any depth) whose text is
// exactly `caption`; null when there is none.
HWND Control(HWND window, const std::string& caption);
// The index-th (from 0) edit field of the window, in the order the page
// made them; fields have no caption to find them by.
HWND EditField(HWND window, int index);

// The window's text.
std::string Text(HWND window);

// Moves the mouse to the middle of the control and clicks the left button.
void Click(HWND control);
// Presses and releases a key, with Alt held when `alt`.
void PressKey(WORD virtualKey, bool alt = false);
// Types the text into whatever has the focus, one character after another.
void TypeText(const std::string& text);

// True when the window went away (or was hidden) within the time.
bool WaitGone(HWND window, DWORD milliseconds = 20000);
// Lets the other process paint what it just changed.
void Settle(DWORD milliseconds = 400);

// The whole screen as a 24-bit .bmp file.
void SaveScreen(const std::string& path);

}  // namespace ui
