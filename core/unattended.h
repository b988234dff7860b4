// Installing without questions, for administrators: the answers given
// beforehand on the command line or in an answers file, and how the run ends
// for the script that started it. With Unattended.Active false nothing here
// changes what a person sees.
#pragma once
#include <string>

#include "settings.h"

struct TUnattendedAnswers {
    bool Active = false;                     // /UNATTENDED
    TInstallType Type = itLocal;             // /TYPE=LOCAL|SERVER|CLIENT
    std::string ProgramDir = "C:\\WinKorv";  // /DIR=folder
    std::string DataDir = "C:\\WinKorv";     // /DATA=folder
    bool Restart = false;                    // /RESTART=NO|YES
    bool ServerUpgrade = false;              // /SERVERUPGRADE=NO|YES
};

extern TUnattendedAnswers Unattended;

// The exit codes of INSTALL.EXE.
enum TExitCode : int {
    ecInstalled = 0,       // installed or upgraded
    ecKitNotPrepared = 1,  // the start-up could not prepare the work copy
    ecCancelled = 2,       // a question that needed a person, or a declined disk
    ecFailed = 3,          // a failure during copy or configuration
    ecBadSwitches = 4,     // switches refused before anything was copied
};

// Records why the run ends; the first reason recorded is kept.
void RecordOutcome(TExitCode code);
// The reason recorded so far; ecInstalled when there is none.
TExitCode RunOutcome();
