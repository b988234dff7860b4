#include "config/program_group.h"

#include <windows.h>

#include <shlobj.h>

#include "config/dde_client.h"
#include "core/folder_listing.h"
#include "core/report_failure.h"
#include "core/files.h"
#include "core/text.h"
#include "core/debug_log.h"
#include "core/unique_handle.h"

namespace {

const char* const kShellService = "ProgMan";
// Long enough for a shell that makes the group's folder and its shortcuts;
// short enough that a shell that hangs does not hold the page for good.
constexpr DWORD kExecuteTimeoutMs = 15000;
// How long a Program Manager just started may take before it answers.
constexpr DWORD kStartTimeoutMs = 10000;

std::string GroupCommand(const char* command, const std::string& arguments) {
    return std::string("[") + command + "(\"" + ProgramGroupName + "\"" + arguments + ")]";
}

// Commands back to back, as the Program Manager documents them: some
// shells (Wine's) stop reading at the first line break, and would make an
// empty group.
std::string Joined(const std::vector<std::string>& commands) {
    std::string text;
    for (const std::string& command : commands) text += command;
    return text;
}

bool ConnectEitherTopic(DdeClient& dde) {
    if (dde.Connect(kShellService, "")) return true;
    // Some shells answer only their own topic, never "any topic".
    if (!dde.Connect(kShellService, kShellService)) return false;
    DebugNote("Conversatie DDE pe subiectul ProgMan");
    return true;
}

// Starts the Program Manager and waits until it takes input.
bool StartShell() {
    char commandLine[] = "PROGMAN";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINNOACTIVE;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    UniqueHandle processHandle(process.hProcess);
    UniqueHandle threadHandle(process.hThread);
    WaitForInputIdle(processHandle, kStartTimeoutMs);
    return true;
}

bool ConnectToShell(DdeClient& dde) {
    if (ConnectEitherTopic(dde)) return true;
    return StartShell() && ConnectEitherTopic(dde);
}

// The group's folder below one of the Start Menu's Programs folders; empty
// when the system does not say where that is.
std::string GroupFolder(int programsFolder, const std::string& group) {
    char folder[MAX_PATH];
    if (SHGetFolderPathA(nullptr, programsFolder, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK) return {};
    return InFolder(folder, group);
}

bool FolderExists(const std::string& folder) {
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// What the shell keeps in a group's folder: the items' shortcuts and the
// folder's own settings.
bool IsGroupFile(const WIN32_FIND_DATAA& entry) {
    if (IsFolderEntry(entry)) return false;
    const std::string name = UpperAscii(entry.cFileName);
    if (name == "DESKTOP.INI") return true;
    const auto dot = name.rfind('.');
    const std::string extension = dot == std::string::npos ? "" : name.substr(dot);
    return extension == ".LNK" || extension == ".PIF" || extension == ".URL";
}

bool RemoveGroupFolder(const std::string& folder) {
    if (folder.empty() || !FolderExists(folder)) return true;
    for (const WIN32_FIND_DATAA& entry : ListFolder(folder)) {
        if (!IsGroupFile(entry)) continue;
        const std::string file = InFolder(folder, entry.cFileName);
        SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileA(file.c_str()))
            DebugNote("Nu pot sterge " + file + " (cod " + std::to_string(GetLastError()) + ")");
    }
    if (RemoveDirectoryA(folder.c_str())) return true;
    DebugNote("Nu pot sterge dosarul " + folder + " (cod " + std::to_string(GetLastError()) + ")");
    return false;
}

// Asks the shell to delete the group; a failure is only noted, as the
// folders are looked at afterwards whatever the shell did.
void AskShellToDeleteGroup(const std::string& group) {
    DdeClient dde;
    if (!ConnectToShell(dde)) {
        DebugNote("Eroare initializare conversatie DDE: grupul " + group + " se sterge din meniul Start");
        return;
    }
    const UINT error = dde.Execute("[DeleteGroup(\"" + group + "\")]", kExecuteTimeoutMs);
    if (error == DMLERR_NO_ERROR) return;
    DebugNote("Cererea DDE de stergere a grupului " + group + " " +
              (error == DMLERR_EXECACKTIMEOUT ? "nu a primit raspuns" : "a fost refuzata") + " (cod " +
              std::to_string(error) + ")");
}

}  // namespace

SiblingPrograms FindSiblingPrograms(const std::string& programDir) {
    return {FileExists(programDir + "\\OUTPOST.EXE"), FileExists(programDir + "\\PAYROLL.EXE")};
}

std::vector<ProgramGroupItem> ProgramGroupItems(const std::string& programDir, SiblingPrograms siblings) {
    const auto item = [&programDir](const char* caption, const char* file) {
        return ProgramGroupItem{caption, programDir + "\\" + file};
    };
    std::vector<ProgramGroupItem> items{item("Korven", "KORVEN.EXE")};
    if (siblings.outpost) {
        items.push_back(item("Utility", "UTILITY.EXE"));
        items.push_back(item("Outpost", "OUTPOST.EXE"));
    }
    if (siblings.payroll) items.push_back(item("Payroll", "PAYROLL.EXE"));
    return items;
}

std::vector<std::string> ProgramGroupCommands(const std::string& programDir, SiblingPrograms siblings) {
    std::vector<std::string> commands{GroupCommand("CreateGroup", "")};
    for (const ProgramGroupItem& item : ProgramGroupItems(programDir, siblings))
        commands.push_back("[AddItem(\"" + item.path + "\", \"" + item.caption + "\")]");
    commands.push_back(GroupCommand("ShowGroup", ",8"));
    return commands;
}

std::vector<ProgramGroupItem> CreateProgramGroup(const std::string& programDir, const std::string& defaultProgramDir) {
    DdeClient dde;
    if (!ConnectToShell(dde)) {
        ReportFailure("Eroare initializare conversatie DDE", "Eroare DDE!", {"Eroare..."});
        return {};
    }
    const SiblingPrograms siblings = FindSiblingPrograms(defaultProgramDir);
    const auto commands = ProgramGroupCommands(programDir, siblings);
    const UINT error = dde.Execute(Joined(commands), kExecuteTimeoutMs);
    if (error == DMLERR_EXECACKTIMEOUT)
        DebugNote("Cererea DDE nu a primit raspuns (cod " + std::to_string(error) + ")");
    else if (error != DMLERR_NO_ERROR)
        DebugNote("Cererea DDE a fost refuzata (cod " + std::to_string(error) + ")");
    return ProgramGroupItems(programDir, siblings);
}

bool RemoveProgramGroup(const std::string& group) {
    AskShellToDeleteGroup(group);
    bool gone = true;
    for (const int programsFolder : {CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS})
        gone &= RemoveGroupFolder(GroupFolder(programsFolder, group));
    return gone;
}
