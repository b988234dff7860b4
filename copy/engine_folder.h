// Where the database engine's archive goes. An engine already installed
// (EngineInstalled) is never replaced: its archive is passed over, and an older one (below 4.0)
// is told to the user once found. Without one, the engine goes into
// Program Files\Borland\Common Files\BDE, made as needed.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "core/settings.h"

// The folder for the engine's archive, or nothing when it is passed over.
// May set OldEngineFound. Throws CopyFailure when the folder cannot be
// found or made. `beforeMaking` hears of the folder before any of its
// levels is made.
std::optional<std::string> EngineFolder(TInstallSettings& settings,
                                        const std::function<void(const std::string& folder)>& beforeMaking = {});
