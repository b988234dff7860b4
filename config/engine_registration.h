// Registering the database engine that the copy step has just put in place,
// and the folders of the application's aliases.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/installation_record.h"

// A registration that could not be done; the message, in Romanian, names
// what failed. The configuration page shows it and closes.
class EEngineRegistration : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// With the engine already registered on this computer (the key
// Software\Borland\BLW32 exists), raises its shared use count by one and
// does nothing else. Otherwise writes the Program Files folder into the
// engine's registration file bde.reg (in <Program Files>\Borland\Common
// Files\BDE) and merges it into the registry with the registry editor.
// Throws EEngineRegistration when the file or the registry cannot be read or
// written. A merge that fails is only noted in the diagnostic log. Answers
// which of the two it did, for the installation record.
EngineUse RegisterBDE();

// Lowers the engine's shared use count by one, never below 0, and answers
// the count it wrote. Nothing, and nothing written, when the engine key
// cannot be opened for writing, or its UseCount is missing or is not the
// decimal text of a count: the engine is then taken to be still in use.
std::optional<std::int64_t> LowerEngineUseCount();

// Takes back what the engine's registration file wrote: the key
// Software\Borland\BLW32 with everything below it, and the values DLLPATH,
// UseCount, CONFIGFILE01 of the engine key and VERSION of its
// Settings\SYSTEM\INIT key. Those keys stay as long as anything else is in
// them (Wine's own set-up writes INIT with values of its own); one left
// empty is removed, as the registration made it. The alias store the
// registration names goes too when no alias is left in it. True when all of
// the registration went.
bool UnregisterEngine();

// Rewrites the registration file for the given Program Files folder: in each
// line the first "$ProgDir$" becomes the folder with every "\" doubled (as a
// path is written inside a registry file); every other byte stays, and each
// line ends in CR LF. The file is replaced only once the new one is whole.
void RewriteRegistrationFile(const std::string& fileName, const std::string& programFilesDir);

// The alias folders: each relative folder below the data folder.
std::vector<std::string> AliasFolders(const std::string& dataDir, std::span<const std::string> relativeFolders);
