// KORVEN in the list of installed programs that Windows shows ("Add or
// remove programs"): the key WinKORVEN under the system's Uninstall key,
// which names the uninstaller that the installation leaves in the program
// folder and the command that runs it without questions.
#pragma once

#include <string>

#include "core/installation_record.h"
#include "core/uninstaller_file.h"

inline constexpr char UninstallEntryKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\WinKORVEN";

// What Windows runs to remove KORVEN, with a person and without one.
std::string UninstallCommand(const std::string& programDir);
std::string QuietUninstallCommand(const std::string& programDir);

// Writes (or brings up to date) the entry for the installation the record
// describes; its size is the recorded files', its date today's. False when
// the key cannot be written.
bool WriteUninstallEntry(const InstallationRecord& record);
// Removes the entry of the installation in `programDir`. An entry that
// names another folder belongs to another installation of KORVEN on this
// computer (the list holds one) and stays. True also when there was none.
bool RemoveUninstallEntry(const std::string& programDir);
