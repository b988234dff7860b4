// Choosing between a new installation and an upgrade, before the first page.
#pragma once

// PLACEHOLDER until the database engine binding and the upgrade library are
// built: there is no engine to ask whether an earlier installation's alias
// opens, so it always chooses the new-installation flow (UpgradeMode false,
// the wizard starts at the installation-type page). It lets the main window
// paint before the first page, as the real detection will.
void DetectUpgrade();
