// Start-up of INSTALL.EXE. The same program plays two roles, told apart by
// the note INSTKORV.DAT beside it:
//  - started from the kit (no note): copy itself, UPGRADE.1 and INSTALL.CFG
//    into the work folder, write the kit folder into the note there, start
//    the work copy and end, so that the kit's disks can be changed (with
//    /UNATTENDED, wait for the work copy and end with its exit code);
//  - the work copy (note found): run the wizard from the hard disk.
// With /UNINSTALL it is the uninstaller, DEZINST.EXE in the program folder,
// which plays the same two roles with a temporary copy DEZKORV.EXE and its
// note DEZKORV.DAT in the work folder, so that DEZINST.EXE can be deleted.
#pragma once
#include <string>
#include <vector>

// True when the first of at least two arguments is exactly "-log".
// arguments excludes the program name.
bool LogSwitchGiven(const std::vector<std::string>& arguments);

// The work folder: TEMP, else the Windows folder; always with a final
// backslash. A TEMP too long to start a program from counts as missing.
std::string WorkFolder();

// Runs the whole start-up and answers the process exit code.
int RunInstaller(const std::vector<std::string>& arguments);
