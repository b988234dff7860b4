#include "outside/idapi32/call_log.h"

#include <cstdio>

std::string TraceText(const char* text) { return text ? "\"" + std::string(text) + "\"" : "null"; }

std::string TracePointer(const void* pointer) {
    if (!pointer) return "null";
    char text[32];
    std::snprintf(text, sizeof text, "%p", pointer);
    return text;
}

void TraceCall(const std::string& call, const std::vector<TraceArgument>& arguments, unsigned result) {
    TraceCall(call, arguments, std::to_string(result));
}

bool FailureSwitchedOn(const std::string& call) {
    const std::string list = "," + EnvironmentValue("KORVEN_ENGINE_FAIL") + ",";
    return list.find("," + call + ",") != std::string::npos;
}
