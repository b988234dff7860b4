// The installer's use of the database engine (IDAPI32.DLL): whether the
// application's main alias opens, adding the application's aliases, and
// removing them again.
//
// The library is loaded at the first call that needs it: from the current
// folder when it is there, else from the folder the engine's registration
// names (DLLPATH), else through the system's library search. A computer
// without the engine simply answers false; the next call tries again, so the
// engine installed meanwhile is found. Failures are noted in the diagnostic
// log with their engine code; nothing is shown to the user.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

// True once the engine is initialised; it then stays so until DoneEngine.
bool InitEngine();
// True when the database of the alias "KORVEN" opens.
bool AliasExists();
// Adds each alias (driver PARADOX, its folder as PATH, persistent) and saves
// the engine's configuration. A refused alias does not stop the others or
// the save. True only when every alias was added and the save succeeded;
// false and nothing done when the lists differ in length or the engine
// cannot be started. `added`, when given, receives the index of each alias
// the engine took (one it refused, an alias of that name already there
// among them, is not this installation's).
bool AddAliases(const std::vector<std::string>& names, const std::vector<std::string>& folders,
                std::vector<std::size_t>* added = nullptr);
// Deletes each alias from the engine's persistent configuration and saves
// it; an alias that is not defined counts as removed, and a refused one
// does not stop the others or the save. True when every alias is gone and
// the save succeeded; true at once for an empty list. Afterwards the engine
// is ended and its library freed, so that its files can be removed.
bool RemoveAliases(const std::vector<std::string>& names);
// Ends the engine when it was initialised and frees the library, so that a
// later call starts again from nothing.
void DoneEngine();
