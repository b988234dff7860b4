// What the copy tests share besides tests/support: the archives that zip
// made for them, kits cut from those archives, and registry values
// set for one test and put back after it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "core/files.h"
#include "tests/support/files.h"
#include "tests/support/scratch_folder.h"

// The archive that zip made of a component (EXE, DBDAT, DBNEW, BDE32,
// HELP), and the tree it was made from.
std::string KitArchive(const std::string& component);
std::string KitSourceFile(const std::string& component, const std::string& relative);
// The same for the upgrade kit (EXE, OUTPOST, DBDAT, DBNEW, HELP, PAYROLL),
// whose files an earlier installation partly has.
std::string UpgradeKitArchive(const std::string& component);
std::string UpgradeKitSourceFile(const std::string& component, const std::string& relative);
// An archive of the ZIP engine's hostile set.
std::string HostileArchive(const std::string& name);

// Cuts a file into pieces of `pieceSize` bytes named NAME.1, NAME.2, ... in
// `folder`; answers their names.
std::vector<std::string> CutIntoPieces(const std::string& file, const std::string& folder, const std::string& name,
                                       size_t pieceSize);

// A value under HKEY_LOCAL_MACHINE set (or removed, with nothing) for one
// test: the keys it had to make are deleted afterwards and an earlier value
// is put back.
class ScopedMachineValue {
public:
    ScopedMachineValue(const std::string& key, const std::string& name, const std::optional<std::string>& value);
    ~ScopedMachineValue();
    ScopedMachineValue(const ScopedMachineValue&) = delete;
    ScopedMachineValue& operator=(const ScopedMachineValue&) = delete;

private:
    std::string key_, name_;
    std::optional<std::string> earlier_;
    std::vector<std::string> madeKeys_;  // deepest last
};

bool MachineKeyExists(const std::string& key);
