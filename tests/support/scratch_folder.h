// A new empty folder under TEMP for one test, removed with all it holds at
// the end.
#pragma once
#include <string>

class ScratchFolder {
public:
    // `name` may hold blanks; the folder's name adds the process and a count,
    // so tests that run side by side never share one.
    explicit ScratchFolder(const std::string& name);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Without a final backslash, as the pages name folders.
    const std::string& Path() const { return path_; }
    // A file or folder inside it.
    std::string File(const std::string& name) const { return path_ + "\\" + name; }
    // A subfolder ("A\\B" makes both levels); answers its full path.
    std::string Make(const std::string& relative) const;

private:
    std::string path_;
};

// Removes a folder and everything in it, read-only files too.
void RemoveTree(const std::string& folder);
