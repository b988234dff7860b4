// The application's program group in the Windows shell ("WinKORVEN"), made
// by commands sent to the Program Manager over DDE: one item for the main
// program and one for each sibling program the installation brought; and
// taken away again the same way.
#pragma once

#include <string>
#include <vector>

inline constexpr char ProgramGroupName[] = "WinKORVEN";

// Which optional programs lie in the program folder. The Utility item goes
// with OUTPOST.EXE, whether UTILITY.EXE is there or not.
struct SiblingPrograms {
    bool outpost = false;
    bool payroll = false;
};

SiblingPrograms FindSiblingPrograms(const std::string& programDir);

struct ProgramGroupItem {
    std::string caption;
    std::string path;  // the folder, "\" and the file name, as the folder was given
};

// The group's items, in the order they are added.
std::vector<ProgramGroupItem> ProgramGroupItems(const std::string& programDir, SiblingPrograms siblings);

// The commands, in the order the shell is to run them: the group, its
// items, and the group shown.
std::vector<std::string> ProgramGroupCommands(const std::string& programDir, SiblingPrograms siblings);

// Sends the commands to the shell as one request. The shell is asked with
// any topic, then with the topic "ProgMan", then the program "ProgMan" is
// started and both are tried again. When no conversation opens, the log
// gets a note and the user "Eroare DDE!"; a request that the shell refuses
// or leaves unanswered is only noted in the log. Answers the items asked
// for (the shell may have made them even when it did not answer in time);
// none when no conversation opened.
std::vector<ProgramGroupItem> CreateProgramGroup(const std::string& programDir, const std::string& defaultProgramDir);

// Asks the shell, over the same conversation as CreateProgramGroup, to
// delete the group. Where no conversation opens, the shell refuses, or the
// group's folder is still in the Start Menu afterwards (a shell that does
// not know the command, or keeps the group in the folder common to all
// users), removes the folder itself from both Programs folders: its
// shortcuts, then the folder. Any other file in it keeps the folder. Shows
// nothing; failures are noted in the log. True when the group is gone.
bool RemoveProgramGroup(const std::string& group);
