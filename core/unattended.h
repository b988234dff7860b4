// Installing without questions, for administrators: the answers given
// beforehand on the command line or in an answers file. With
// Unattended.Active false nothing here changes what a person sees.
#pragma once
#include <string>

#include "core/settings.h"

struct TUnattendedAnswers {
    bool Active = false;                     // /UNATTENDED
    TInstallType Type = itLocal;             // /TYPE=LOCAL|SERVER|CLIENT
    std::string ProgramDir = "C:\\WinKorv";  // /DIR=folder
    std::string DataDir = "C:\\WinKorv";     // /DATA=folder
    bool Restart = false;                    // /RESTART=NO|YES
    bool ServerUpgrade = false;              // /SERVERUPGRADE=NO|YES
    bool Rollback = true;                    // /ROLLBACK=YES|NO: a failed upgrade is put back
    bool RemoveData = false;                 // /REMOVEDATA=NO|YES: the uninstaller deletes the data too
};

extern TUnattendedAnswers Unattended;

// Ends the installation because it needs a person: notes why, records the
// outcome and has the application quit, which closes the open page.
void EndUnattendedRun(const std::string& why);
