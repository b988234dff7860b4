// Whether the database engine is installed on this computer, as the copy
// page and the configuration page both need to know.
//
// The engine's own registration makes Software\Borland\BLW32; that key is
// the mark of an installed engine. Its settings key (...\Settings\SYSTEM\INIT)
// alone proves nothing: Wine's set-up writes it into every new prefix, and an
// earlier engine's uninstall on Windows may leave it behind.
#pragma once

#include <optional>
#include <string>

bool EngineInstalled();

// The VERSION the installed engine keeps in its settings key; nothing when
// the value is missing or not text.
std::optional<std::string> InstalledEngineVersion();
