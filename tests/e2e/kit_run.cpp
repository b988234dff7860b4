#include "kit_run.h"

#include <tlhelp32.h>

#include <fstream>
#include <sstream>

#include "ui_driver.h"
#include "core/unique_handle.h"

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

bool PathExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void MakeFolders(const std::string& folder) {
    for (size_t at = folder.find('\\', 3); at != std::string::npos; at = folder.find('\\', at + 1))
        CreateDirectoryA(folder.substr(0, at).c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
}

namespace {

// The caller's environment with TEMP replaced (or removed).
std::vector<char> EnvironmentWithTemp(const std::optional<std::string>& temp) {
    std::vector<char> block;
    char* strings = GetEnvironmentStringsA();
    for (const char* entry = strings; *entry; entry += strlen(entry) + 1) {
        if (_strnicmp(entry, "TEMP=", 5) == 0) continue;
        block.insert(block.end(), entry, entry + strlen(entry) + 1);
    }
    FreeEnvironmentStringsA(strings);
    if (temp) {
        const std::string entry = "TEMP=" + *temp;
        block.insert(block.end(), entry.begin(), entry.end());
        block.push_back('\0');
    }
    block.push_back('\0');
    return block;
}

struct DialogSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<DialogSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (owner == search->processId && std::string(className) == "Korven.TMessageDialogForm" &&
        IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

std::string ClipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
            text = bytes;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

// The dialog's copy: a rule line, the caption, a rule, the message, a rule,
// the buttons, a rule.
ShownDialog ParseCopy(const std::string& copy) {
    const std::string rule = "---------------------------\r\n";
    std::vector<std::string> parts;
    for (size_t at = copy.find(rule); at != std::string::npos;) {
        const size_t next = copy.find(rule, at + rule.size());
        if (next == std::string::npos) break;
        std::string part = copy.substr(at + rule.size(), next - at - rule.size());
        if (part.size() >= 2) part.resize(part.size() - 2);  // its final CR LF
        parts.push_back(part);
        at = next;
    }
    ShownDialog dialog;
    if (parts.size() == 3) dialog = {parts[0], parts[1], parts[2]};
    return dialog;
}

HWND FindMessageDialog(DWORD processId) {
    DialogSearch search{processId, nullptr};
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Reads the dialog, then answers it with its default button.
ShownDialog ReadAndAnswer(HWND dialog) {
    ShownDialog shown = ReadDialog(dialog);
    PostMessageA(dialog, WM_KEYDOWN, VK_RETURN, 1);
    return shown;
}

// The wizard's first page, abandoned as a person would: these runs are
// about the start-up, not about installing.
void AbandonWizard(DWORD processId) {
    HWND page = ui::FindWindowNow("Alegeti tipul instalarii!", processId);
    if (!page) return;
    ui::Settle(200);
    if (HWND abandon = ui::Control(page, "&Abandon")) ui::Click(abandon);
    ui::WaitGone(page, 5000);
}

// Waits for the process, answering each message dialog it shows and
// abandoning the wizard when it starts.
void WaitAnsweringMessages(HANDLE process, DWORD processId, std::vector<ShownDialog>& dialogs) {
    for (int tick = 0; tick < 600; ++tick) {
        if (WaitForSingleObject(process, 50) == WAIT_OBJECT_0) return;
        AbandonWizard(processId);
        HWND dialog = FindMessageDialog(processId);
        if (!dialog) continue;
        dialogs.push_back(ReadAndAnswer(dialog));
        // Wait for that dialog to go before looking for the next one.
        for (int wait = 0; wait < 100 && IsWindow(dialog) && IsWindowVisible(dialog); ++wait) Sleep(20);
    }
    TerminateProcess(process, 99);
}

std::vector<DWORD> RunningWorkCopies() {
    std::vector<DWORD> found;
    UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (_stricmp(entry.szExeFile, "INSTKORV.EXE") == 0) found.push_back(entry.th32ProcessID);
    return found;
}

// Waits for every running INSTKORV.EXE, answering its dialogs and
// abandoning its wizard.
void WaitForWorkCopies() {
    for (DWORD id : RunningWorkCopies()) {
        UniqueHandle process(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id));
        if (!process.valid()) continue;
        std::vector<ShownDialog> ignored;
        WaitAnsweringMessages(process, id, ignored);
    }
}

KitRun Launch(const std::string& program, const std::string& arguments, const std::optional<std::string>& temp,
              bool waitForWorkCopies) {
    KitRun run;
    std::string commandLine = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    std::vector<char> environment = EnvironmentWithTemp(temp);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, environment.data(), nullptr, &startup,
                        &info)) {
        run.exitCode = static_cast<DWORD>(-1);
        return run;
    }
    UniqueHandle process(info.hProcess);
    UniqueHandle thread(info.hThread);
    WaitAnsweringMessages(process, info.dwProcessId, run.dialogs);
    GetExitCodeProcess(process, &run.exitCode);
    if (waitForWorkCopies) WaitForWorkCopies();
    return run;
}

}  // namespace

HWND WaitForMessageDialog(DWORD processId, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        if (HWND dialog = FindMessageDialog(processId)) return dialog;
        Sleep(50);
    } while (GetTickCount() - start < milliseconds);
    return nullptr;
}

ShownDialog ReadDialog(HWND dialog) {
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(dialog, WM_COPY, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    return ParseCopy(ClipboardText());
}

KitRun RunKit(const std::string& program, const std::string& arguments, const std::optional<std::string>& temp) {
    return Launch(program, arguments, temp, true);
}

KitRun StartKit(const std::string& program, const std::string& arguments, const std::optional<std::string>& temp) {
    return Launch(program, arguments, temp, false);
}

UnattendedRun RunUnattended(const std::string& program, const std::string& arguments,
                            const std::optional<std::string>& temp, DWORD milliseconds) {
    UnattendedRun run;
    char folder[MAX_PATH] = {};
    char errorsPath[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "err", 0, errorsPath);
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    {
        UniqueHandle errors(CreateFileA(errorsPath, GENERIC_WRITE, FILE_SHARE_READ, &inheritable, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        std::string commandLine = "\"" + program + "\" " + arguments;
        std::vector<char> line(commandLine.begin(), commandLine.end());
        line.push_back('\0');
        std::vector<char> environment = EnvironmentWithTemp(temp);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
        startup.hStdError = errors;
        PROCESS_INFORMATION info{};
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, environment.data(), nullptr, &startup,
                            &info)) {
            run.exitCode = static_cast<DWORD>(-1);
            return run;
        }
        UniqueHandle process(info.hProcess);
        UniqueHandle thread(info.hThread);
        if (WaitForSingleObject(process, milliseconds) != WAIT_OBJECT_0) {
            TerminateProcess(process, 99);
            WaitForSingleObject(process, 5000);
        }
        GetExitCodeProcess(process, &run.exitCode);
    }
    run.errors = ReadWholeFile(errorsPath);
    DeleteFileA(errorsPath);
    return run;
}

WorkCopy::~WorkCopy() {
    if (process.valid() && WaitForSingleObject(process, 0) == WAIT_TIMEOUT) TerminateProcess(process, 99);
}

DWORD WorkCopy::WaitForExit(DWORD milliseconds) const {
    DWORD code = STILL_ACTIVE;
    if (process.valid() && WaitForSingleObject(process, milliseconds) == WAIT_OBJECT_0)
        GetExitCodeProcess(process, &code);
    return code;
}

WorkCopy FindWorkCopy(DWORD milliseconds) {
    WorkCopy found;
    const DWORD start = GetTickCount();
    do {
        for (DWORD id : RunningWorkCopies()) {
            UniqueHandle process(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, id));
            if (!process.valid()) continue;
            found.processId = id;
            found.process = std::move(process);
            return found;
        }
        Sleep(50);
    } while (GetTickCount() - start < milliseconds);
    return found;
}
