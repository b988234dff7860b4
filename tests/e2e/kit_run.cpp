#include "kit_run.h"

#include <tlhelp32.h>

#include <fstream>
#include <sstream>

#include "unique_handle.h"

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

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

// Asks the dialog for its copy, then answers it with its default button.
ShownDialog ReadAndAnswer(HWND dialog) {
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(dialog, WM_COPY, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    ShownDialog shown = ParseCopy(ClipboardText());
    PostMessageA(dialog, WM_KEYDOWN, VK_RETURN, 1);
    return shown;
}

// Waits for the process, answering each message dialog it shows.
void WaitAnsweringMessages(HANDLE process, DWORD processId, std::vector<ShownDialog>& dialogs) {
    for (int tick = 0; tick < 600; ++tick) {
        if (WaitForSingleObject(process, 50) == WAIT_OBJECT_0) return;
        DialogSearch search{processId, nullptr};
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
        if (!search.found) continue;
        dialogs.push_back(ReadAndAnswer(search.found));
        // Wait for that dialog to go before looking for the next one.
        for (int wait = 0; wait < 100 && IsWindow(search.found) && IsWindowVisible(search.found); ++wait) Sleep(20);
    }
    TerminateProcess(process, 99);
}

// Waits for every running INSTKORV.EXE.
void WaitForWorkCopies() {
    UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (_stricmp(entry.szExeFile, "INSTKORV.EXE") != 0) continue;
        UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, entry.th32ProcessID));
        if (!process.valid()) continue;
        if (WaitForSingleObject(process, 30000) != WAIT_OBJECT_0) TerminateProcess(process, 99);
    }
}

}  // namespace

KitRun RunKit(const std::string& program, const std::string& arguments, const std::optional<std::string>& temp) {
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
    WaitForWorkCopies();
    return run;
}
