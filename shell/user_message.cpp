#include "user_message.h"

#include <windows.h>

namespace {
UserMessageHook& Hook() {
    static UserMessageHook hook;
    return hook;
}
}  // namespace

void SetUserMessageHook(UserMessageHook hook) { Hook() = std::move(hook); }

void ShowUserMessage(UserMessageKind kind, const std::string& text) {
    if (Hook()) {
        Hook()(kind, text);
        return;
    }
    // The texts separate lines with a bare carriage return; a message box wants CR LF.
    std::string shown;
    for (char c : text) {
        shown += c;
        if (c == '\r') shown += '\n';
    }
    const bool error = kind == UserMessageKind::Error;
    MessageBoxA(nullptr, shown.c_str(), error ? "Eroare" : "Atentie",
                MB_OK | MB_TASKMODAL | MB_SETFOREGROUND | (error ? MB_ICONERROR : MB_ICONWARNING));
}
