#include "upgrade_trace.h"

#include <windows.h>

#include "file_handle.h"

namespace {

std::string Environment(const char* name) {
    const DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
    if (size == 0) return {};
    std::string value(size, '\0');
    const DWORD length = GetEnvironmentVariableA(name, value.data(), size);
    value.resize(length < size ? length : 0);
    return value;
}

}  // namespace

std::string TraceText(const std::string& text) { return "\"" + text + "\""; }

void TraceCall(const std::string& call, const std::vector<TraceArgument>& arguments, const std::string& result) {
    const std::string fileName = Environment("KORVEN_TRACE");
    if (fileName.empty()) return;
    std::string line = "pid=" + std::to_string(GetCurrentProcessId()) + " " + call;
    for (const auto& [name, value] : arguments) line += " " + name + "=" + value;
    line += " result=" + result + "\r\n";
    // Opened for each line so that every line is on the disk before the call
    // returns, and so that several processes can append to one trace.
    FileHandle file(CreateFileA(fileName.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return;
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

std::optional<bool> ScriptedSemafor(int step) {
    const std::string script = Environment("KORVEN_UPGRADE_SEMAFOR");
    const std::string key = std::to_string(step) + "=";
    size_t start = 0;
    while (start <= script.size()) {
        size_t end = script.find(',', start);
        if (end == std::string::npos) end = script.size();
        const std::string entry = script.substr(start, end - start);
        if (entry.size() == key.size() + 1 && entry.starts_with(key)) {
            if (entry.back() == '0') return false;
            if (entry.back() == '1') return true;
        }
        start = end + 1;
    }
    return std::nullopt;
}
