// The installer's binding to the outside upgrade library UPGRADE.DLL, which
// brings an existing installation's database up to the new version. It is
// loaded once, on the upgrade path, from the installer's own folder, and
// stays loaded until FreeUpgradeLibrary (or the program's end).
//
// Every entry point but CheckExclusive, which the installer never calls, must
// be there: a library without one of them does not load, so no call can go
// through a missing entry. The calls below do nothing (and answer empty or
// false) while no library is loaded.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "interfaces/upgrade_entry_points.h"

// Loads UPGRADE.DLL from the folder of the running installer.
bool LoadUpgradeLibrary();
// Loads UPGRADE.DLL from the given folder (with or without a final
// backslash, of any length); a library loaded before is freed first. False,
// with a note in the diagnostic log, when it cannot be loaded or lacks an
// entry point.
bool LoadUpgradeLibraryFrom(const std::string& folder);
void FreeUpgradeLibrary();
bool UpgradeLibraryLoaded();

// The folder of a database alias, as the library finds it; empty when the
// alias is unknown. At most 255 characters: the library answers in a buffer
// of 256.
std::string UpgradeAliasPath(const std::string& alias);
void SetReportProc(upgrade::ReportProc report);
void DoStructureUpgrade();
void DoListUpgrade();
void DoConstUpgrade();
// True when the step that ran last ended well.
bool GetSemaforOK();
void SetQuickVerif(bool on);

// The text of a report block, read within the block's size (a text without
// its terminating zero ends with the block); nullopt when the block cannot
// be locked. The block is left to the library.
std::optional<std::string> ReadReportText(HGLOBAL block);
