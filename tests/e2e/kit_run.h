// Drives INSTALL.EXE from a test: lays out a kit folder, starts the program
// with a chosen environment, reads and answers its message dialogs and waits
// for the work copy that it starts.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "core/unique_handle.h"
#include "tests/support/scratch_folder.h"

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);
// True for a file or a folder.
bool PathExists(const std::string& path);
void MakeFolders(const std::string& folder);

// A message dialog as the program copies it to the clipboard; lines end in
// CR LF.
struct ShownDialog {
    std::string caption;
    std::string text;
    std::string buttons;  // captions without their "&", three blanks after each
};

// A message dialog of the process that is on the screen, waited for; null
// when none appears within the time.
HWND WaitForMessageDialog(DWORD processId, DWORD milliseconds = 20000);
// What the dialog shows, as it copies it; the dialog stays open.
ShownDialog ReadDialog(HWND dialog);

struct KitRun {
    DWORD exitCode = 0;
    std::vector<ShownDialog> dialogs;  // in the order it showed them
};

// Starts program with the arguments; TEMP is set to temp, or removed when
// temp is empty. Each message dialog is read and answered with its default
// button, and a wizard that starts is abandoned on its first page. Returns
// when the program and every work copy it started have ended.
KitRun RunKit(const std::string& program, const std::string& arguments, const std::optional<std::string>& temp);

// The same, but returns as soon as the program itself has ended and leaves
// the work copy it started running.
KitRun StartKit(const std::string& program, const std::string& arguments, const std::optional<std::string>& temp);

// A run that nobody drives: the program's exit code and what it wrote on
// its standard error.
struct UnattendedRun {
    DWORD exitCode = 0;
    std::string errors;
};

// Starts program with the arguments as a script would, its standard error
// going to a file, and waits for it (at most the given time, then it is
// ended with code 99). Nothing on the screen is touched.
UnattendedRun RunUnattended(const std::string& program, const std::string& arguments,
                            const std::optional<std::string>& temp, DWORD milliseconds = 300000);

// The running work copy INSTKORV.EXE; ended by force when it is still
// running as this goes away.
struct WorkCopy {
    DWORD processId = 0;  // 0: none appeared
    UniqueHandle process;
    WorkCopy() = default;
    WorkCopy(WorkCopy&&) = default;
    ~WorkCopy();
    // The exit code once it has ended within the time; STILL_ACTIVE if not.
    DWORD WaitForExit(DWORD milliseconds = 20000) const;
};
// Waits for a work copy to run.
WorkCopy FindWorkCopy(DWORD milliseconds = 20000);
