#include "upgrade/installation_alias.h"

#include "upgrade/upgrade_library.h"

std::string AliasFolderOfInstallation() { return UpgradeAliasPath("KORVEN"); }
