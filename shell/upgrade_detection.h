// Choosing between a new installation and an upgrade, before the first page.
#pragma once

// An installation is registered on this computer when the database alias
// KORVEN opens through the engine. Then the upgrade library is unpacked
// beside the program and loaded, and the wizard starts at the installation
// search; when the library cannot be loaded the user is told and no page
// follows. Otherwise the wizard starts at the installation-type page.
void DetectUpgrade();

// In the upgrade flow, deletes any UPGRADE.DLL in the program's own folder
// and extracts the kit's from UPGRADE.ZIP there; true only when the whole
// archive came out (a partly written library is deleted again). Deletes
// UPGRADE.ZIP in either flow.
bool PrepareUpgradeLibrary();
