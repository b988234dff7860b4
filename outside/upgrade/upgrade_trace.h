// What a test can see of, and script in, the upgrade library; both driven by
// the environment (upgrade_library.h names the variables), so the installer
// runs unchanged.
#pragma once
#include <optional>
#include <string>

#include "outside/trace/stand_in_trace.h"

// A text in quotes.
std::string TraceText(const std::string& text);
// What KORVEN_UPGRADE_SEMAFOR makes GetSemaforOK answer after the step
// (1 to 3); nullopt when it does not name the step.
std::optional<bool> ScriptedSemafor(int step);
