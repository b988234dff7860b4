#include "config/config_sys.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string_view>

#include "config/read_file.h"
#include "config/replace_file.h"
#include "core/debug_log.h"
#include "core/exec_and_wait.h"
#include "core/report_failure.h"
#include "core/text.h"
#include "core/unattended.h"
#include "core/unique_handle.h"
#include "toolkit/message_dialog.h"

namespace {

constexpr int kFileLimit = 255;
constexpr char kEndOfText = '\x1A';

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::size_t SkipBlanks(std::string_view text, std::size_t at) {
    while (at < text.size() && IsBlank(text[at])) ++at;
    return at;
}

// The name a line sets ("FILES" for "  files = 30"), looking through a REM
// that switched the setting off; empty when the line sets nothing, as with
// "DEVICE=C:\FILES\X.SYS", whose name is DEVICE.
std::string_view SettingName(std::string_view upper) {
    std::size_t start = SkipBlanks(upper, 0);
    if (upper.substr(start, 3) == "REM" && start + 3 < upper.size() && IsBlank(upper[start + 3]))
        start = SkipBlanks(upper, start + 3);
    const std::size_t end = std::min(upper.find_first_of(" \t=", start), upper.size());
    const std::size_t equals = SkipBlanks(upper, end);
    if (end == start || equals >= upper.size() || upper[equals] != '=') return {};
    return upper.substr(start, end - start);
}

// What failed, on which file, with the system's error code.
std::string Reason(const char* what, const std::string& path, DWORD code = GetLastError()) {
    return std::string(what) + " " + path + " (cod " + std::to_string(code) + ")";
}

// The whole file; an empty string when there is none.
std::string ReadWholeFile(const std::string& path, bool& exists) {
    exists = GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!exists) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return {};
        throw ConfigSysError(Reason("Nu am putut afla atributele fisierului", path));
    }
    std::string text;
    if (const unsigned long error = ReadFileContents(path, text))
        throw ConfigSysError(Reason("Nu am putut citi fisierul", path, error));
    return text;
}

// Gives a file back the attributes it had, however the update ends.
class AttributesKeeper {
public:
    AttributesKeeper(const std::string& path, DWORD attributes) : path_(path), attributes_(attributes) {}
    AttributesKeeper(const AttributesKeeper&) = delete;
    AttributesKeeper& operator=(const AttributesKeeper&) = delete;
    ~AttributesKeeper() { SetFileAttributesA(path_.c_str(), attributes_); }

private:
    std::string path_;
    DWORD attributes_;
};

std::string Quoted(const std::string& path) { return path.find(' ') == std::string::npos ? path : "\"" + path + "\""; }

}  // namespace

std::vector<std::string> RaiseFileLimit(const std::vector<std::string>& lines) {
    const std::string limit = "=" + std::to_string(kFileLimit);
    std::vector<std::string> raised;
    bool found = false;
    for (const std::string& line : lines) {
        const std::string upper = UpperAscii(line);
        const std::string_view name = SettingName(upper);
        if (name == "FILESHIGH" || name == "FILES") {
            raised.push_back(std::string(name) + limit);
            found = true;
        } else {
            raised.push_back(line);
        }
    }
    if (!found) raised.push_back("FILES" + limit);
    return raised;
}

void UpdateConfigSys(const std::string& path) {
    bool exists = false;
    const std::string old = ReadWholeFile(path, exists);
    // DOS reads the text up to the first Ctrl-Z: the settings go before it,
    // and the mark with whatever follows it stays as it was.
    const std::size_t end = std::min(old.find(kEndOfText), old.size());
    std::string text;
    for (const std::string& line : RaiseFileLimit(SplitLines(old.substr(0, end)))) text += line + "\r\n";
    text += old.substr(end);

    std::optional<AttributesKeeper> keeper;
    if (exists) {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            throw ConfigSysError(Reason("Nu am putut afla atributele fisierului", path));
        keeper.emplace(path, attributes);
        // A read-only, hidden or system file cannot be replaced as it stands.
        if (!SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL))
            throw ConfigSysError(Reason("Nu am putut schimba atributele fisierului", path));
    }
    if (const unsigned long error = ReplaceFileContents(path, text))
        throw ConfigSysError(Reason("Nu am putut scrie fisierul", path, error));
}

void RecordDefaultUser() { WriteProfileStringA("Korven", "LastUser", "Master"); }

std::array<std::string, 2> SetupToolCommands(const std::string& programDir) {
    return {Quoted(programDir + "\\HHUPD.EXE") + " /Q",
            Quoted(programDir + "\\TREGSVR.EXE") + " -Q " + Quoted(programDir + "\\CFX32.OCX")};
}

void ConfigureSystem(const std::string& configSysPath, const std::string& programDir) {
    RecordDefaultUser();
    try {
        UpdateConfigSys(configSysPath);
    } catch (const std::exception& error) {
        DebugNote("Exceptie la actualizare CONFIG.SYS");
        ReportFailure(error.what(), "Eroare la actualizarea config.sys!", {"Eroare..."});
    }
    for (const std::string& command : SetupToolCommands(programDir)) ExecAndWait(command, SW_MINIMIZE);
}
