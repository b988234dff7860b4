#include "call_log.h"

#include <windows.h>

#include <cstdio>

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

std::string TraceText(const char* text) { return text ? "\"" + std::string(text) + "\"" : "null"; }

std::string TracePointer(const void* pointer) {
    if (!pointer) return "null";
    char text[32];
    std::snprintf(text, sizeof text, "%p", pointer);
    return text;
}

void TraceCall(const std::string& call, const std::vector<TraceArgument>& arguments, unsigned result) {
    const std::string fileName = Environment("KORVEN_TRACE");
    if (fileName.empty()) return;
    std::string line = "pid=" + std::to_string(GetCurrentProcessId()) + " " + call;
    for (const auto& [name, value] : arguments) line += " " + name + "=" + value;
    line += " result=" + std::to_string(result) + "\r\n";
    // Opened for each line so that every line is on the disk before the call
    // returns, and so that several processes can append to one trace.
    FileHandle file(CreateFileA(fileName.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return;
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

bool FailureSwitchedOn(const std::string& call) {
    const std::string list = "," + Environment("KORVEN_ENGINE_FAIL") + ",";
    return list.find("," + call + ",") != std::string::npos;
}
