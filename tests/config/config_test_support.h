// What the configuration tests share besides tests/support: files of the
// Wine prefix put back as they were.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/support/captured_log.h"
#include "tests/support/dialog_recorder.h"
#include "tests/support/files.h"
#include "tests/support/scratch_folder.h"

// A file in the Windows folder (win.ini).
std::string WindowsFile(const char* name);

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

// `path` made a link to a file that opens but fails at the first read (the
// process's own memory, whose first page is never mapped), as a disk with a
// bad sector fails; removed again at the end.
class FailingLink {
public:
    explicit FailingLink(std::string path);
    ~FailingLink();
    FailingLink(const FailingLink&) = delete;
    FailingLink& operator=(const FailingLink&) = delete;
    bool Made() const { return made_; }

private:
    std::string path_;
    bool made_ = false;
};

// Whether `path` still fails to read: nothing was written in its place.
bool StillTheFailingLink(const std::string& path);
