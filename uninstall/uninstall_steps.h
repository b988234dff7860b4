// What the removal asks of the system configuration: the program group, the
// aliases, the database engine and KORVEN's entry in the list of installed
// programs. The shell fills these with the configuration's own functions, so
// that this folder never reaches them itself. Every hook is filled.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct UninstallSystemSteps {
    // True when every alias is gone (one that was not there counts).
    std::function<bool(const std::vector<std::string>& names)> removeAliases;
    // True when the group is gone.
    std::function<bool(const std::string& group)> removeProgramGroup;
    // The engine's use count after lowering it by one; nothing when it could
    // not be read or written.
    std::function<std::optional<std::int64_t>()> lowerEngineUseCount;
    // Takes the engine's registration away; true when all of it went.
    std::function<bool()> unregisterEngine;
    // True also when there was no entry.
    std::function<bool()> removeUninstallEntry;
};
