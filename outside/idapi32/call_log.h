// What a test can see of, and switch on in, the engine library: a trace of
// its calls and failures on demand. Both are driven by the environment, so
// the installer runs unchanged.
//
//   KORVEN_TRACE=<file>         one line appended (and flushed) per call:
//                               "pid=<n> <call> <name>=<value> ... result=<code>"
//   KORVEN_ENGINE_FAIL=<names>  comma-separated call names that then fail
#pragma once
#include <string>
#include <vector>

#include "outside/trace/stand_in_trace.h"

// A string argument in quotes, or null.
std::string TraceText(const char* text);
std::string TracePointer(const void* pointer);

void TraceCall(const std::string& call, const std::vector<TraceArgument>& arguments, unsigned result);
bool FailureSwitchedOn(const std::string& call);
