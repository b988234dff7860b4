// What the configuration tests share: scratch folders, whole-file reads and
// writes, files of the Wine prefix put back as they were, the diagnostic log
// read back, and every message dialog recorded and answered.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "engine_sandbox.h"  // ReadBytes, WriteBytes

// A new empty folder under TEMP (its name may hold blanks), removed with
// what it holds at the end.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name = "korven config");
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    // With a final backslash.
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// A file in the Windows folder (win.ini).
std::string WindowsFile(const char* name);

// Removes a folder and everything in it.
void RemoveTree(const std::string& folder);

// A file's bytes and attributes kept now and given back at the end (or the
// file removed again when there was none).
class KeptFile {
public:
    explicit KeptFile(std::string path);
    ~KeptFile();
    KeptFile(const KeptFile&) = delete;
    KeptFile& operator=(const KeptFile&) = delete;

private:
    std::string path_;
    std::optional<std::string> bytes_;
    DWORD attributes_ = INVALID_FILE_ATTRIBUTES;
};

// The diagnostic log switched on into a scratch file for the test's life.
class CapturedLog {
public:
    CapturedLog();
    ~CapturedLog();
    CapturedLog(const CapturedLog&) = delete;
    CapturedLog& operator=(const CapturedLog&) = delete;
    // The lines so far, without their time stamps, the indent cut.
    std::vector<std::string> Lines() const;
    bool HasNote(const std::string& text) const;

private:
    std::string path_;
};

// Every dialog shown while it lives, answered with its default button.
struct ShownDialog {
    std::string message, caption;
};
class DialogRecorder {
public:
    DialogRecorder();
    ~DialogRecorder();
    DialogRecorder(const DialogRecorder&) = delete;
    DialogRecorder& operator=(const DialogRecorder&) = delete;
    std::vector<ShownDialog> shown;
};

// Makes `path` a link to a file that opens but fails at the first read (the
// process's own memory, whose first page is never mapped), as a disk with a
// bad sector fails: the test fails when the link cannot be made.
void LinkToFileThatFailsToRead(const std::string& path);
// Whether `path` still fails to read: nothing was written in its place.
bool StillTheFailingLink(const std::string& path);

// The user interface started once for the test program.
void StartTestUserInterface();
