// What a test can see of, and script in, the upgrade library; both driven by
// the environment (upgrade_library.h names the variables), so the installer
// runs unchanged.
#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

// One argument as it is traced: its name and its value already in text.
using TraceArgument = std::pair<std::string, std::string>;

// A text in quotes.
std::string TraceText(const std::string& text);
// Appends one line for the call when KORVEN_TRACE names a file.
void TraceCall(const std::string& call, const std::vector<TraceArgument>& arguments, const std::string& result);
// What KORVEN_UPGRADE_SEMAFOR makes GetSemaforOK answer after the step
// (1 to 3); nullopt when it does not name the step.
std::optional<bool> ScriptedSemafor(int step);
