// Where the installed application keeps its database: the folder of the
// database alias "KORVEN", as the upgrade library reports it. Empty when the
// library has no folder for it.
#pragma once

#include <string>

std::string AliasFolderOfInstallation();
