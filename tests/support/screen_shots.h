// Pictures of windows as the screen shows them, for people to look at: the
// screenshot programs of the page folders share these.
#pragma once
#include <windows.h>

#include <string>

class TForm;

// Handles messages for a while, so that the windows paint and the display
// shows them before the picture is taken.
void Settle(DWORD milliseconds);
// Puts a page where the wizard puts it.
void PlaceAsTheWizard(TForm& page);
// A part of the screen as it shows now.
void SaveScreen(const RECT& area, const std::string& path);
// The whole window, frame included, as the screen shows it now.
void SaveWindow(HWND window, const std::string& path);
