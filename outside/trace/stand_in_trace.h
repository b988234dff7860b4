// The stand-ins' side of the tests: an environment variable switches each
// behaviour on, so the installer runs unchanged. KORVEN_TRACE names the file
// that every stand-in appends its lines to.
#pragma once
#include <string>
#include <utility>
#include <vector>

// The variable's value; empty when it is not set.
std::string EnvironmentValue(const char* name);

// Appends the line and CR LF to the trace file when KORVEN_TRACE names one.
// One write to a file opened for appending, each time: lines of several
// processes never mix, and each is on the disk before the caller goes on.
void AppendTraceLine(const std::string& line);

// One argument as it is traced: its name and its value already in text.
using TraceArgument = std::pair<std::string, std::string>;

// "pid=<n> <call> <name>=<value> ... result=<result>".
void TraceCall(const std::string& call, const std::vector<TraceArgument>& arguments, const std::string& result);
