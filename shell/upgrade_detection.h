// Choosing between a new installation and an upgrade, before the first page.
#pragma once

// An installation is registered on this computer when the database alias
// KORVEN opens through the engine. Then the upgrade library is unpacked
// beside the program and loaded, and the wizard starts at the installation
// search; when the library cannot be loaded the user is told and no page
// follows. Otherwise the wizard starts at the installation-type page.
void DetectUpgrade();

// Extracts UPGRADE.ZIP into the program's own folder in the upgrade flow,
// and deletes it in either flow.
void PrepareUpgradeLibrary();
