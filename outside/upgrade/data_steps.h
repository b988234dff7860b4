// The three steps of the sample upgrade library, each real work on the
// database's data folder that a test can check afterwards:
//
//   structures  STRUCT.VER  "VERSIUNE=<n>": raised to the library's version
//                           (made when missing); a newer database is left
//                           alone and the step fails, never downgraded
//   lists       LISTE.TXT   one entry per line: the library's entries that
//                           are missing are added after the customer's,
//                           which stay as they are
//   constants   CONST.DAT   "KEY=VALUE" lines: the library's keys get the
//                           library's values (in place, or added at the
//                           end), every other line stays
//
// Every file is rewritten through a temporary file beside it that replaces
// it only when complete, so an interrupted step leaves the old file whole.
// Each step tells what it does through the report function, in Romanian.
#pragma once
#include <functional>
#include <string>
#include <vector>

using StepReport = std::function<void(const std::string& text)>;

inline constexpr char StructureFileName[] = "STRUCT.VER";
inline constexpr char ListFileName[] = "LISTE.TXT";
inline constexpr char ConstantsFileName[] = "CONST.DAT";

// The library's own list entries and constants, in the order they are added.
std::vector<std::string> LibraryListEntries();
std::vector<std::pair<std::string, std::string>> LibraryConstants(int version);

// The data folder is given with or without a final backslash. True when the
// step's work is done (also when there was nothing to change).
bool UpgradeStructures(const std::string& dataFolder, int version, const StepReport& report);
bool UpgradeLists(const std::string& dataFolder, const StepReport& report);
bool UpgradeConstants(const std::string& dataFolder, int version, const StepReport& report);
