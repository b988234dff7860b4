// The uninstaller's own little driver: the confirmation page, then the
// removal's progress, then the end page, over the installer's main window;
// Abandon on the confirmation ends it with nothing removed. The system
// steps of the removal (group, aliases, engine, the entry in the list of
// installed programs) are the configuration's own functions.
#pragma once

#include <functional>
#include <string>

#include "uninstall/uninstall_steps.h"

// The configuration's functions for the removal of the installation in
// `programDir`.
UninstallSystemSteps UninstallStepsOfTheSystem(const std::string& programDir);

// Removes the installation whose record lies in `programDir`; a record that
// is missing or cannot be read is told and nothing is removed (ecFailed).
// `beforeUninstallerRemoval` runs when all but DEZINST.EXE is done. Answers
// the run's exit code.
int RunUninstaller(const std::string& programDir, const std::function<void()>& beforeUninstallerRemoval);
