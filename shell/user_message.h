// Messages the shell shows the user before the toolkit's dialogs exist.
// Every failure a user can meet at start-up goes through here, in Romanian.
#pragma once
#include <functional>
#include <string>

enum class UserMessageKind { Warning, Error };

// Shows the text in a modal message box; lines are separated by '\n'.
void ShowUserMessage(UserMessageKind kind, const std::string& text);

// Tests take the messages instead of a window; an empty hook restores the box.
using UserMessageHook = std::function<void(UserMessageKind, const std::string&)>;
void SetUserMessageHook(UserMessageHook hook);
