#include "core/debug_log.h"

#include <windows.h>

#include <cstdio>

#include "core/program_path.h"
#include "core/unique_handle.h"
#include "toolkit/message_dialog.h"
#include "core/user_interface.h"

namespace {

bool MarkerFilePresent() {
    try {
        const std::string marker = ProgramFolder() + "debug.pas";
        const DWORD attributes = GetFileAttributesA(marker.c_str());
        // Only a file switches logging on; a folder of that name does not.
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    } catch (...) {
        return false;
    }
}

struct LogState {
    // Set by DebugOpen: until then there is no file name to write to, even
    // when "debug.pas" has switched logging on.
    bool open = false;
    std::string fileName;
    std::string title;
    int depth = 0;
};

LogState& Log() {
    static LogState state;
    return state;
}

std::string Bars(int depth) {
    std::string bars;
    if (depth >= 1)
        for (int i = 0; i <= depth; ++i) bars += " |";
    return bars;
}

std::string LocaleText(bool date) {
    char buffer[128] = {};
    if (date)
        GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, buffer, sizeof buffer);
    else
        GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, buffer, sizeof buffer);
    return buffer;
}

std::string Now() { return LocaleText(true) + " " + LocaleText(false); }

}  // namespace

bool DebugEnabled = MarkerFilePresent();

std::string DebugTimeStamp(int hour, int minute, int second, int millisecond) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, " <TIMP %02d:%02d:%02d.%03d > ", hour, minute, second, millisecond);
    return stamp;
}

// Whether a line written now goes to the file.
bool Writing() { return DebugEnabled && Log().open; }

void DebugWrite(const std::string& text) {
    if (!Writing()) return;
    UniqueHandle file(CreateFileA(Log().fileName.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        DebugEnabled = false;
        DebugError("eroare SCRIERE debug", 0);
        return;
    }
    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::string line = text + DebugTimeStamp(now.wHour, now.wMinute, now.wSecond, now.wMilliseconds) + "\r\n";
    DWORD written = 0;
    if (!WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) || written != line.size()) {
        DebugEnabled = false;
        DebugError("eroare debug", 0);
    }
}

void DebugOpen(const std::string& fileName, const std::string& title) {
    if (!DebugEnabled) return;
    const DWORD attributes = GetFileAttributesA(fileName.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        // A folder in the log's place can never be opened for appending.
        DebugEnabled = false;
        DebugError("eroare OPEN debug", 0);
        return;
    }
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        UniqueHandle created(CreateFileA(fileName.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                         CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!created.valid()) {
            DebugEnabled = false;
            DebugError("eroare OPEN debug", 0);
            return;
        }
    }
    Log().open = true;
    Log().fileName = fileName;
    Log().depth = 0;
    DebugWrite("");
    DebugWrite("Begin debug session: " + title + " - " + Now());
    Log().title = title;
}

void DebugClose() {
    if (Writing()) DebugWrite("End debug session: " + Log().title + " - " + Now());
    DebugEnabled = false;
    Log().open = false;
}

void DebugBegin(const std::string& step) {
    if (!Writing()) return;
    DebugWrite(Bars(Log().depth) + "BEGIN => " + step);
    ++Log().depth;
}

void DebugEnd(const std::string& step) {
    if (!Writing()) return;
    --Log().depth;
    DebugWrite(Bars(Log().depth) + "END <- " + step);
}

void DebugNote(const std::string& text) {
    if (!Writing()) return;
    std::string indent;
    for (int i = 0; i <= Log().depth; ++i) indent += "  ";
    DebugWrite(indent + "*       " + text);
}

void DebugError(const std::string& message, int code) {
    StartUserInterface();
    RomMessageDlg(std::to_string(code) + "\r" + message, "", mtWarning, taCenter, {mbOK}, mbOK);
    DebugNote(std::to_string(code) + " / " + message);
}
