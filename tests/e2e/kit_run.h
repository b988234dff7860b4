// Drives INSTALL.EXE from a test: lays out a kit folder, starts the program
// with a chosen environment, reads and answers its message dialogs and waits
// for the work copy that it starts.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// Removes a folder and everything in it; quiet when it is not there.
void RemoveTree(const std::string& folder);
void MakeFolders(const std::string& folder);

// A message dialog as the program copies it to the clipboard; lines end in
// CR LF.
struct ShownDialog {
    std::string caption;
    std::string text;
    std::string buttons;  // captions without their "&", three blanks after each
};

struct KitRun {
    DWORD exitCode = 0;
    std::vector<ShownDialog> dialogs;  // in the order it showed them
};

// Starts program with the arguments; TEMP is set to temp, or removed when
// temp is empty. Each message dialog is read and answered with its default
// button. Returns when the program and every work copy it started have ended.
KitRun RunKit(const std::string& program, const std::string& arguments, const std::optional<std::string>& temp);
