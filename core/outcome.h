// How the run ends, for the script that started INSTALL.EXE: the first
// reason recorded becomes the program's exit code.
#pragma once

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
