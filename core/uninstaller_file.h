// The uninstaller an installation leaves in its program folder: a copy of
// the installer itself, which the same program runs with its uninstall
// switch. The first installation places it and an upgrade replaces it, so
// that it always reads the record the installer of its version wrote.
#pragma once

#include <string>

inline constexpr char UninstallerName[] = "DEZINST.EXE";

// <programDir>\DEZINST.EXE
std::string UninstallerPath(const std::string& programDir);

// Copies the running program to the uninstaller's place through a temporary
// file that takes the old uninstaller's place only once whole. False, with
// `problem` saying why in Romanian, when it could not.
bool PlaceUninstaller(const std::string& programDir, std::string* problem = nullptr);
