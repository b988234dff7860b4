// The diagnostic log switched on into a scratch file for the object's life,
// and read back.
#pragma once
#include <string>
#include <vector>

class CapturedLog {
public:
    CapturedLog();
    ~CapturedLog();
    CapturedLog(const CapturedLog&) = delete;
    CapturedLog& operator=(const CapturedLog&) = delete;

    // The lines so far, without their time stamps, the indent cut.
    std::vector<std::string> Lines() const;
    // Whether a note with exactly this text was written.
    bool HasNote(const std::string& text) const;

private:
    std::string path_;
};
