#include "outside/upgrade/upgrade_trace.h"

std::string TraceText(const std::string& text) { return "\"" + text + "\""; }

std::optional<bool> ScriptedSemafor(int step) {
    const std::string script = EnvironmentValue("KORVEN_UPGRADE_SEMAFOR");
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
