// The diagnostic log: an optional plain-text trace of one run, for support
// staff. Every line is appended and the file closed at once, so what was
// written survives a crash or a restart; two processes may append one after
// the other (the kit's instance, then the work copy).
//
// Line layout: the entry's text, then " <TIMP hh:mm:ss.mmm > ".
// Steps nest: "BEGIN => name" / "END <- name", indented by " |" pairs from
// depth 1 on; notes are indented by two blanks per level.
//
// Everything but DebugError does nothing while DebugEnabled is false, and
// before DebugOpen has opened the log.
#pragma once
#include <string>

// On when "debug.pas" lies beside the program; start-up may switch it on too.
// Any failure of the log itself switches it off for the rest of the run.
extern bool DebugEnabled;

void DebugOpen(const std::string& fileName, const std::string& title);
void DebugClose();
void DebugBegin(const std::string& step);
void DebugEnd(const std::string& step);
void DebugNote(const std::string& text);
void DebugWrite(const std::string& text);
// Reports a failure of the log to the user ("<code>\r<message>").
void DebugError(const std::string& message, int code);

// The stamp that ends every line, for the given time of day.
std::string DebugTimeStamp(int hour, int minute, int second, int millisecond);
