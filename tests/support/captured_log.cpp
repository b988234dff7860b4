#include "tests/support/captured_log.h"

#include <windows.h>

#include "core/debug_log.h"
#include "core/text.h"
#include "tests/support/files.h"

CapturedLog::CapturedLog() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int count = 0;
    path_ = std::string(temp) + "korven-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count) +
            ".log";
    DeleteFileA(path_.c_str());
    DebugEnabled = true;
    DebugOpen(path_, "INSTALL");
}

CapturedLog::~CapturedLog() {
    DebugClose();
    DeleteFileA(path_.c_str());
}

std::vector<std::string> CapturedLog::Lines() const {
    std::vector<std::string> lines;
    for (std::string line : SplitLines(ReadBytes(path_))) {
        if (const auto stamp = line.rfind(" <TIMP "); stamp != std::string::npos) line.resize(stamp);
        const auto first = line.find_first_not_of(" |");
        lines.push_back(first == std::string::npos ? std::string() : line.substr(first));
    }
    return lines;
}

bool CapturedLog::HasNote(const std::string& text) const {
    for (const std::string& written : Lines())
        if (written == "*       " + text) return true;
    return false;
}
