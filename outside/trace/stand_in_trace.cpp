#include "outside/trace/stand_in_trace.h"

#include <windows.h>

std::string EnvironmentValue(const char* name) {
    const DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
    if (size == 0) return {};
    std::string value(size, '\0');
    const DWORD length = GetEnvironmentVariableA(name, value.data(), size);
    value.resize(length < size ? length : 0);
    return value;
}

void AppendTraceLine(const std::string& line) {
    const std::string fileName = EnvironmentValue("KORVEN_TRACE");
    if (fileName.empty()) return;
    HANDLE file = CreateFileA(fileName.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::string text = line + "\r\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    FlushFileBuffers(file);
    CloseHandle(file);
}

void TraceCall(const std::string& call, const std::vector<TraceArgument>& arguments, const std::string& result) {
    if (EnvironmentValue("KORVEN_TRACE").empty()) return;
    std::string line = "pid=" + std::to_string(GetCurrentProcessId()) + " " + call;
    for (const auto& [name, value] : arguments) line += " " + name + "=" + value;
    AppendTraceLine(line + " result=" + result);
}
