#include "shell/startup.h"

#include <windows.h>

#include <array>
#include <clocale>
#include <cstdint>
#include <fstream>
#include <locale>
#include <sstream>

#include "core/outcome.h"
#include "core/text.h"
#include "core/debug_log.h"
#include "core/exec_and_wait.h"
#include "core/program_path.h"
#include "core/settings.h"
#include "core/unique_handle.h"
#include "framework/application.h"
#include "shell/installer_window.h"
#include "toolkit/format_codes.h"
#include "toolkit/message_dialog.h"
#include "core/unattended.h"
#include "shell/unattended_switches.h"
#include "core/user_interface.h"
#include "shell/uninstaller.h"
#include "shell/wizard.h"

namespace {

constexpr const char* LogFile = "c:\\korvinst.log";
constexpr const char* NoteName = "INSTKORV.DAT";
constexpr const char* WorkProgramName = "INSTKORV.EXE";

struct KitFile {
    const char* source;  // in the kit folder
    const char* target;  // in the work folder
};
// In this order: the program first, so that a kit missing its companions
// is noticed before anything but the program was copied.
constexpr std::array<KitFile, 3> KitFiles{{
    {"INSTALL.EXE", "INSTKORV.EXE"},
    {"UPGRADE.1", "UPGRADE.ZIP"},
    {"INSTALL.CFG", "INSTKORV.CFG"},
}};

constexpr const char* CannotGoOn = "\r\rInstalarea nu poate continua.";

// The uninstaller's temporary copy in the work folder, and its note: the
// program folder it removes, and the handles it inherited from the copy in
// that folder (the process to wait for, the pipe for the exit code).
constexpr const char* UninstallCopyName = "DEZKORV.EXE";
constexpr const char* UninstallNoteName = "DEZKORV.DAT";
constexpr const char* UninstallCannotGoOn = "\r\rDezinstalarea nu poate continua.";

std::string Environment(const char* name) {
    const DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
    if (size == 0) return {};
    std::string value(size, '\0');
    const DWORD length = GetEnvironmentVariableA(name, value.data(), size);
    value.resize(length < size ? length : 0);
    return value;
}

std::string WindowsFolder() {
    const UINT size = GetWindowsDirectoryA(nullptr, 0);
    std::string folder(size, '\0');
    folder.resize(GetWindowsDirectoryA(folder.data(), size));
    return folder;
}

// Reads the first line of the note into the kit folder; false when there is
// no readable note (a first start).
bool ReadKitNote(const std::string& note, std::string& sourceDir) {
    std::ifstream file(note, std::ios::binary);
    if (!file) return false;
    std::string line;
    char c;
    while (file.get(c) && c != '\r' && c != '\n') line += c;
    if (file.bad()) return false;
    sourceDir = line;
    return true;
}

enum class CopyFailure { None, SourceMissing, TargetNotCreated, ReadFailed, WriteFailed };

// Moves the file in blocks of 2048 bytes. The source is opened with sharing
// allowed to all, since the kit's program is the one running.
CopyFailure CopyKitFile(const std::string& source, const std::string& target) {
    UniqueHandle in(CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!in.valid()) return CopyFailure::SourceMissing;
    UniqueHandle out(
        CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out.valid()) return CopyFailure::TargetNotCreated;
    char block[2048];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(in, block, sizeof block, &got, nullptr)) return CopyFailure::ReadFailed;
        if (got == 0) return CopyFailure::None;
        DWORD put = 0;
        if (!WriteFile(out, block, got, &put, nullptr) || put != got) return CopyFailure::WriteFailed;
    }
}

// What a copy's failure means to the one who reads it.
struct CopyTexts {
    const char* sourceMissing;
    const char* sourceUnreadable;
    const char* cannotGoOn;
};
constexpr CopyTexts KitCopyTexts{"Kitul de instalare nu este complet.", "Discul de instalare poate fi deteriorat.",
                                 CannotGoOn};
constexpr CopyTexts UninstallerCopyTexts{"Programul de dezinstalare lipseste.",
                                         "Programul de dezinstalare nu poate fi citit.", UninstallCannotGoOn};

std::string DescribeCopyFailure(CopyFailure failure, const std::string& source, const std::string& target,
                                const CopyTexts& texts = KitCopyTexts) {
    const std::string sourceMissing = texts.sourceMissing, sourceUnreadable = texts.sourceUnreadable;
    switch (failure) {
    case CopyFailure::SourceMissing: return "Lipseste fisierul\r" + source + "\r\r" + sourceMissing + texts.cannotGoOn;
    case CopyFailure::TargetNotCreated:
        return "Nu pot crea fisierul\r" + target +
               "\r\rVerificati ca folderul de lucru exista, are spatiu liber si nu este protejat la scriere." +
               texts.cannotGoOn;
    case CopyFailure::ReadFailed:
        return "Eroare la citirea fisierului\r" + source + "\r\r" + sourceUnreadable + texts.cannotGoOn;
    case CopyFailure::WriteFailed:
        return "Eroare la scrierea fisierului\r" + target + "\r\rVerificati spatiul liber pe disc." + texts.cannotGoOn;
    case CopyFailure::None: break;
    }
    return {};
}

bool WriteKitNote(const std::string& note, const std::string& kitDir) {
    std::ofstream file(note, std::ios::binary | std::ios::trunc);
    file << kitDir << "\r\n";
    file.close();
    return !file.fail();
}

// The work files this start has written so far; removed again when the
// start-up cannot finish, so no half-prepared work copy is left behind.
class WorkFiles {
public:
    void Written(std::string path) { paths_.push_back(std::move(path)); }
    void RemoveAll() {
        for (const auto& path : paths_) DeleteFileA(path.c_str());
        paths_.clear();
    }

private:
    std::vector<std::string> paths_;
};

std::string OnOneLine(std::string message) {
    for (char& c : message)
        if (c == '\r') c = ' ';
    return message;
}

// For the script that started the kit: a console or a redirected stream
// reads it; a program started from the desktop has no standard error.
void ToStandardError(const std::string& message) {
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (error == nullptr || error == INVALID_HANDLE_VALUE) return;
    const std::string line = "INSTALL: " + OnOneLine(message) + "\r\n";
    DWORD written = 0;
    WriteFile(error, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

// Said to the person at the keyboard, or, when nobody is there, to the
// script and the log only.
void Report(const std::string& message, TMsgDlgType kind) {
    DebugNote(OnOneLine(message));
    if (Unattended.Active) {
        ToStandardError(message);
        return;
    }
    // The message names files: their names are shown as they are.
    RomMessageDlg(LiteralFormatText(message), "", kind, taCenter, {mbOK}, mbOK);
}

int Fail(WorkFiles& written, const std::string& message) {
    written.RemoveAll();
    Report(message, mtError);
    return ecKitNotPrepared;
}

// Nothing has been copied yet. Someone who typed the switches sees the
// message; a script started with /UNATTENDED reads it on its standard error.
int RefuseSwitches(const TSwitches& switches) {
    DebugNote("Optiuni refuzate: " + switches.Refusal);
    ToStandardError(switches.Refusal);
    if (!switches.UnattendedGiven)
        RomMessageDlg(LiteralFormatText(switches.Refusal + "\r\rINSTALL.EXE /? arata optiunile."), "", mtError,
                      taCenter, {mbOK}, mbOK);
    DebugClose();
    return ecBadSwitches;
}

void ShowSwitchesHelp() {
    RomMessageDlg(LiteralFormatText(SwitchesHelpText()), "INSTALL.EXE - instalare fara intrebari", mtInformation,
                  taLeftJustify, {mbOK}, mbOK);
}

int PrepareWorkCopy() {
    const std::string kitDir = ProgramFolder();
    const std::string workDir = WorkFolder();
    WorkFiles written;

    for (const KitFile& file : KitFiles) {
        const std::string source = kitDir + file.source;
        const std::string target = workDir + file.target;
        const CopyFailure failure = CopyKitFile(source, target);
        if (failure != CopyFailure::SourceMissing && failure != CopyFailure::TargetNotCreated) written.Written(target);
        if (failure != CopyFailure::None) return Fail(written, DescribeCopyFailure(failure, source, target));
    }

    const std::string note = workDir + NoteName;
    written.Written(note);
    if (!WriteKitNote(note, kitDir)) return Fail(written, "Nu pot scrie fisierul\r" + note + CannotGoOn);

    // Quoted, so that a work folder with blanks names exactly one program.
    std::string command = "\"" + workDir + WorkProgramName + "\"";
    if (DebugEnabled) command += " -log -log -log -log";
    const std::string cannotStart = "Nu pot porni programul de instalare\r" + workDir + WorkProgramName + CannotGoOn;
    if (Unattended.Active) {
        // A script waits for the kit's process: it waits for the work copy
        // and answers the work copy's code.
        const std::int32_t exitCode = ExecAndWait(command + " " + SwitchesForWorkCopy(Unattended), SW_SHOW);
        if (exitCode == -1) return Fail(written, cannotStart);
        return exitCode;
    }
    if (WinExec(command.c_str(), SW_SHOW) <= 31) return Fail(written, cannotStart);
    // The kit's instance ends here without an end line: the work copy goes on
    // writing the same log.
    return 0;
}

// ---------------------------------------------------------------------------
// The uninstaller. DEZINST.EXE in the program folder cannot delete itself
// while it runs: it copies itself into the work folder as DEZKORV.EXE, notes
// the program folder beside that copy, starts it and ends. The copy waits
// for the first process to end before it deletes DEZINST.EXE, and is itself
// removed at the next restart of Windows. Without a person the first process
// stays until the copy hands it the exit code through an inherited pipe,
// then ends with it, so that the script learns how the uninstall ended.

struct UninstallNote {
    std::string programDir;
    HANDLE firstProcess = nullptr;  // inherited, to wait for
    HANDLE exitCodePipe = nullptr;  // inherited write end; none for a person's run
};

std::uintptr_t HandleNumber(HANDLE handle) { return reinterpret_cast<std::uintptr_t>(handle); }

bool WriteUninstallNote(const std::string& path, const UninstallNote& note) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << note.programDir << "\r\n"
         << HandleNumber(note.firstProcess) << " " << HandleNumber(note.exitCodePipe) << "\r\n";
    file.close();
    return !file.fail();
}

std::optional<UninstallNote> ReadUninstallNote(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    UninstallNote note;
    if (!file || !std::getline(file, note.programDir)) return std::nullopt;
    if (!note.programDir.empty() && note.programDir.back() == '\r') note.programDir.pop_back();
    std::uintptr_t process = 0, pipe = 0;
    if (file >> process >> pipe) {
        note.firstProcess = reinterpret_cast<HANDLE>(process);
        note.exitCodePipe = reinterpret_cast<HANDLE>(pipe);
    }
    return note;
}

// An inheritable handle to this process, which the temporary copy waits on.
UniqueHandle InheritableSelf() {
    HANDLE self = nullptr;
    DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &self, SYNCHRONIZE, TRUE, 0);
    return UniqueHandle(self);
}

// Waits for the exit code the temporary copy hands over, dispatching this
// thread's messages meanwhile (the copy may broadcast or talk DDE). A copy
// that ended without handing one over answers its own exit code.
int AwaitHandedExitCode(HANDLE pipe, HANDLE copy) {
    for (;;) {
        DWORD available = 0;
        if (PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available >= sizeof(std::int32_t)) {
            std::int32_t code = ecFailed;
            DWORD got = 0;
            if (ReadFile(pipe, &code, sizeof code, &got, nullptr) && got == sizeof code) return code;
        }
        if (WaitForSingleObject(copy, 0) == WAIT_OBJECT_0 &&
            !(PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available > 0)) {
            DWORD code = ecFailed;
            GetExitCodeProcess(copy, &code);
            return static_cast<int>(code);
        }
        MsgWaitForMultipleObjects(1, &copy, FALSE, 50, QS_ALLINPUT);
        Application().ProcessMessages();
    }
}

int PrepareUninstallCopy() {
    const std::string self = ProgramPath();
    const std::string copy = WorkFolder() + UninstallCopyName;
    const std::string noteFile = WorkFolder() + UninstallNoteName;
    WorkFiles written;
    const CopyFailure failure = CopyKitFile(self, copy);
    if (failure != CopyFailure::SourceMissing && failure != CopyFailure::TargetNotCreated) written.Written(copy);
    if (failure != CopyFailure::None)
        return Fail(written, DescribeCopyFailure(failure, self, copy, UninstallerCopyTexts));

    UniqueHandle firstProcess = InheritableSelf();
    UniqueHandle pipeRead, pipeWrite;
    if (Unattended.Active) {
        SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
        HANDLE read = nullptr, write = nullptr;
        if (CreatePipe(&read, &write, &inherited, 0)) {
            pipeRead = UniqueHandle(read);
            pipeWrite = UniqueHandle(write);
            // Only the copy writes; this end stays ours.
            SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
        }
    }
    const UninstallNote note{WithoutFinalBackslash(ProgramFolder()), firstProcess,
                             pipeWrite.valid() ? static_cast<HANDLE>(pipeWrite) : nullptr};
    written.Written(noteFile);
    if (!firstProcess.valid() || (Unattended.Active && !pipeWrite.valid()) || !WriteUninstallNote(noteFile, note))
        return Fail(written, "Nu pot scrie fisierul\r" + noteFile + UninstallCannotGoOn);

    std::string command = "\"" + copy + "\"";
    if (DebugEnabled) command += " -log -log -log -log";
    command += " " + SwitchesForUninstallCopy(Unattended);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &started))
        return Fail(written, "Nu pot porni programul de dezinstalare\r" + copy + UninstallCannotGoOn);
    UniqueHandle process(started.hProcess);
    CloseHandle(started.hThread);
    // Only the copy's end stays open: a copy that dies closes the pipe.
    pipeWrite.reset();
    if (!Unattended.Active) return ecInstalled;
    const int code = AwaitHandedExitCode(pipeRead, process);
    DebugNote("Dezinstalarea s-a terminat cu codul " + std::to_string(code));
    return code;
}

// The temporary copy's side of the hand-over: the exit code goes to the
// first process once, and then that process is waited for, so that the
// program folder's copy can be deleted.
class ExitCodeHandOver {
public:
    explicit ExitCodeHandOver(const UninstallNote& note) : note_(note) {}
    ExitCodeHandOver(const ExitCodeHandOver&) = delete;
    ExitCodeHandOver& operator=(const ExitCodeHandOver&) = delete;
    ~ExitCodeHandOver() {
        if (note_.firstProcess) CloseHandle(note_.firstProcess);
    }

    void Hand(int code) {
        if (handed_) return;
        handed_ = true;
        if (note_.exitCodePipe) {
            const std::int32_t value = code;
            DWORD written = 0;
            WriteFile(note_.exitCodePipe, &value, sizeof value, &written, nullptr);
            CloseHandle(note_.exitCodePipe);
            DebugNote("Codul " + std::to_string(code) + " a fost dat programului care asteapta");
        }
        // It ends as soon as it has the code; a person's run ended already.
        if (note_.firstProcess && WaitForSingleObject(note_.firstProcess, 30000) != WAIT_OBJECT_0)
            DebugNote("Programul de dezinstalare din folderul programului inca ruleaza");
    }

private:
    UninstallNote note_;
    bool handed_ = false;
};

int RunUninstallCopy(const UninstallNote& note) {
    ExitCodeHandOver handOver(note);
    const int code = RunUninstaller(note.programDir, [&] { handOver.Hand(RunOutcome()); });
    handOver.Hand(code);
    DeleteFileA((ProgramFolder() + UninstallNoteName).c_str());
    // A running program cannot delete its own file: Windows does it at the
    // next restart.
    const std::string self = ProgramPath();
    if (MoveFileExA(self.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT))
        DebugNote("Copia temporara " + self + " se sterge la urmatoarea pornire a Windows");
    else
        DebugNote("Copia temporara " + self + " ramane (nu pot cere stergerea ei la repornire)");
    DebugClose();
    return code;
}

int RunUninstallStart() {
    if (const std::optional<UninstallNote> note = ReadUninstallNote(ProgramFolder() + UninstallNoteName))
        return RunUninstallCopy(*note);
    return PrepareUninstallCopy();
}

// The main window lives while the wizard runs; the pages' modal loops keep
// it painted. A main window that cannot be made is reported by the general
// handling of errors and ends the program.
int RunWorkCopy() {
    int exitCode = 0;
    try {
        TInstaller installer(nullptr);
        Application().SetMainForm(&installer);
        installer.Show();
        RunWizard();
    } catch (...) {
        Application().HandleException(std::current_exception());
        exitCode = 1;
    }
    DebugClose();
    // A person's run ends as it always did; a script learns why it ended.
    if (!Unattended.Active) return exitCode;
    return exitCode != 0 ? ecFailed : RunOutcome();
}

}  // namespace

bool LogSwitchGiven(const std::vector<std::string>& arguments) {
    return arguments.size() >= 2 && arguments[0] == "-log";
}

std::string WorkFolder() {
    // Windows starts no program from a path of MAX_PATH characters or more:
    // a TEMP that long serves no better than a missing one.
    // TEMP set to "\\" names the current drive's root: a real value.
    const std::string temp = Environment("TEMP");
    if (temp.empty() || (WithBackslash(temp) + WorkProgramName).size() >= MAX_PATH)
        return WithBackslash(WindowsFolder());
    return WithBackslash(temp);
}

int RunInstaller(const std::vector<std::string>& arguments) {
    // Numbers are written and read with "." whatever the locale says.
    std::setlocale(LC_ALL, "C");
    std::locale::global(std::locale::classic());

    // Nothing is read from the answers file but the answers themselves.
    const TSwitches switches = ParseSwitches(arguments, ReadAnswersFile);
    Unattended = switches.Answers;
    // An administrator's run always leaves its trace, refused or not; so
    // does an uninstall, whose log names what it kept and why.
    if (LogSwitchGiven(arguments) || switches.UnattendedGiven || switches.Uninstall || !switches.Refusal.empty())
        DebugEnabled = true;
    DebugOpen(LogFile, "INSTALL");
    // After the log is open, so that the toolkit's start-up marks land in it.
    StartUserInterface();

    if (!switches.Refusal.empty()) return RefuseSwitches(switches);
    if (Unattended.Active)
        DebugNote("Fara intrebari: " +
                  (switches.Uninstall ? SwitchesForUninstallCopy(Unattended) : SwitchesForWorkCopy(Unattended)));
    if (switches.HelpAsked) {
        ShowSwitchesHelp();
        DebugClose();
        return ecInstalled;
    }

    if (switches.Uninstall) return RunUninstallStart();
    if (ReadKitNote(ProgramFolder() + NoteName, InstallSettings.SourceDir)) return RunWorkCopy();
    return PrepareWorkCopy();
}
