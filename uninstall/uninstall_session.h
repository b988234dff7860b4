// What the uninstaller's three pages share: the record they confirm, the
// answer of the confirmation page, and what the removal did. The shell's
// driver makes it and owns it; each page is handed it when it is created.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "core/installation_record.h"
#include "uninstall/removal.h"
#include "uninstall/uninstall_steps.h"

struct UninstallSession {
    InstallationRecord record;
    UninstallSystemSteps steps;
    std::string uninstaller;  // DEZINST.EXE in the program folder
    bool removeData = false;  // the confirmation page's box
    // Runs once the removal is done but for the uninstaller itself, which
    // cannot go while the process that started this one still runs from it.
    std::function<void()> beforeUninstallerRemoval;
    std::optional<RemovalOutcome> outcome;  // once the progress page ran
};
