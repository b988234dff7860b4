// Finding an installed KORVEN before an upgrade: where its data lies, read
// from the folder of its database alias, and where its program lies, from the
// entries the application leaves in the Windows profile or else by walking
// the fixed disks. No window here; the installation search page shows what
// these find.
#pragma once

#include "core/settings.h"

#include <optional>
#include <string>

struct AliasFolderReading {
    // The folder that holds the alias folder when that is called DATA,
    // otherwise the alias folder itself; never a bare drive ("C:\", not "C:").
    std::string dataFolder;
    // The drive's root ("C:\") or the share's ("\\server\share\").
    std::string root;
};

// Nothing for an empty alias folder: no installation to speak of.
std::optional<AliasFolderReading> ReadAliasFolder(const std::string& aliasFolder);

// itClient when the root lies on another computer (a share, or a drive that
// Windows reports as remote), otherwise itLocal.
TInstallType InstallTypeOfRoot(const std::string& root);

// The folder holds the installed application: a KORVEN.EXE larger than
// 1,000,000 bytes (the smaller files of that name are not the application).
bool IsKorvenFolder(const std::string& folder);

// Depth first from `folder` (ending in a backslash), first hit wins. Links
// and junctions are not followed and folders that cannot be read are passed
// over, so the walk always ends.
std::optional<std::string> SearchTree(const std::string& folder);

// The program folder named by the profile values "AppPath" and
// "DatabasePath", in that order: AppPath as it stands (it ends in a
// backslash), DatabasePath cut after its last backslash; a candidate counts
// when "Korven.exe" lies directly in it.
std::optional<std::string> ProgramFolderFromProfileValues(const std::string& appPath, const std::string& databasePath);

// The same, with the values of section "Korven" of WIN.INI.
std::optional<std::string> ProgramFolderFromProfile();

// SearchTree on the root of every fixed disk, from A: to Z:; the first disk
// with a hit wins.
std::optional<std::string> SearchFixedDisks();
