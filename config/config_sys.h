// The system part of the configuration: the application's default user in
// the Windows profile, the file limit in CONFIG.SYS, and the two outside
// set-up tools that the program folder brings (the help engine's installer
// and the registration of the grid control).
//
// CONFIG.SYS is only ever replaced whole: the new text goes to a temporary
// file beside it, which takes the old one's place when complete, and the old
// file's attributes come back whatever happens. A file that cannot be read
// is left as it is.
#pragma once

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

// Why CONFIG.SYS could not be updated (in Romanian, naming the file).
class ConfigSysError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The lines with every FILES and FILESHIGH setting raised to 255 ("REM FILES=30"
// counts as one), and "FILES=255" appended when there was none. Lines that
// only mention the word (SET TEMPFILES=1, DEVICE=C:\FILES\X.SYS) stay as
// they are.
std::vector<std::string> RaiseFileLimit(const std::vector<std::string>& lines);

// RaiseFileLimit on the file at `path` (created when missing), lines ended
// by CR LF. Only the text before the first Ctrl-Z counts, as DOS reads it;
// the Ctrl-Z and what follows it are kept after the rewritten lines. Throws ConfigSysError when the file cannot be read or replaced;
// the old file is then as it was.
void UpdateConfigSys(const std::string& path);

// LastUser=Master in the section "Korven" of WIN.INI: the application
// proposes its default user at the first start.
void RecordDefaultUser();

// The two outside set-up tools, in the order they run. A path with blanks
// is put in quotes, so that it reaches the tool as one word.
std::array<std::string, 2> SetupToolCommands(const std::string& programDir);

// The whole step: the profile, CONFIG.SYS at `configSysPath` (a failure is
// noted in the log and shown to the user, then the step goes on) and the
// two tools, each run minimised and waited for; a tool that is missing or
// fails is passed over.
void ConfigureSystem(const std::string& configSysPath, const std::string& programDir);
