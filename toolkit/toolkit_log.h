// Where the toolkit writes its diagnostic marks. The log itself belongs to
// the program that uses the toolkit; it installs a sink here at start-up, and
// without one the marks go nowhere. Portable.
#pragma once

#include <functional>
#include <string>

struct ToolkitLogSink {
    std::function<void(const std::string& step)> begin;  // a step is entered
    std::function<void(const std::string& step)> end;    // a step is left
    std::function<void(const std::string& text)> note;   // a remark
};

void SetToolkitLogSink(ToolkitLogSink sink);

void ToolkitLogBegin(const std::string& step);
void ToolkitLogEnd(const std::string& step);
void ToolkitLogNote(const std::string& text);

// Painting must never stop the program nor open a dialog over a half-drawn
// window: a control that fails to paint notes why, once per distinct reason,
// and carries on.
void ReportPaintFailure(const std::string& control, const std::string& reason);
