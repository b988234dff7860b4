// The command line of INSTALL.EXE read into the answers of an installation
// without questions: /UNATTENDED, /TYPE=, /DIR=, /DATA=, /RESTART=,
// /SERVERUPGRADE=, /ROLLBACK=, /ANSWERS=file and /?; and into the
// uninstaller's: /UNINSTALL, with /UNATTENDED and /REMOVEDATA=. Switch names and the values of
// TYPE, RESTART, SERVERUPGRADE, ROLLBACK and REMOVEDATA are case-insensitive; a folder is taken as
// given. Only words that begin with "/" are switches: other words are left
// alone, as they always were (the "-log -log" pair among them).
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/unattended.h"

struct TSwitches {
    bool HelpAsked = false;        // /? given
    bool UnattendedGiven = false;  // /UNATTENDED among the words, even when refused
    bool Uninstall = false;        // /UNINSTALL: remove the installation instead
    TUnattendedAnswers Answers;    // with the wizard's defaults where nothing was said
    std::string Refusal;           // in Romanian, naming the switch; empty when accepted
};

// The whole contents of a file; nothing when it cannot be read.
using TFileReader = std::function<std::optional<std::string>(const std::string& path)>;

// arguments excludes the program name. The answers file, with keys of the
// same names in its section [Instalare], fills in only what the command line
// did not say.
TSwitches ParseSwitches(const std::vector<std::string>& arguments, const TFileReader& readFile);

// Reads a file from the disk, for ParseSwitches.
std::optional<std::string> ReadAnswersFile(const std::string& path);

// The answers as switches for the work copy's command line, each quoted
// where it needs to be, so that the work copy reads back the same answers
// without the answers file (it may lie on a disk that is changed).
std::string SwitchesForWorkCopy(const TUnattendedAnswers& answers);

// The uninstaller's switches for its temporary copy's command line.
std::string SwitchesForUninstallCopy(const TUnattendedAnswers& answers);

// One word quoted so that Windows' C runtime splits it back unchanged.
std::string QuoteArgument(const std::string& word);

// What INSTALL.EXE /? shows: the switches and the exit codes.
std::string SwitchesHelpText();
