#include "toolkit/toolkit_log.h"

#include <set>
#include <utility>

namespace {

ToolkitLogSink& Sink() {
    static ToolkitLogSink sink;
    return sink;
}

}  // namespace

void SetToolkitLogSink(ToolkitLogSink sink) { Sink() = std::move(sink); }

void ToolkitLogBegin(const std::string& step) {
    if (Sink().begin) Sink().begin(step);
}

void ToolkitLogEnd(const std::string& step) {
    if (Sink().end) Sink().end(step);
}

void ToolkitLogNote(const std::string& text) {
    if (Sink().note) Sink().note(text);
}

void ReportPaintFailure(const std::string& control, const std::string& reason) {
    // A control repaints many times a second while the mouse moves: one note
    // per reason keeps the log readable.
    static std::set<std::string> reported;
    std::string text = "Eroare la desenarea " + control + ": " + reason;
    if (!reported.insert(text).second) return;
    try {
        ToolkitLogNote(text);
    } catch (...) {
        // The log's own failures are its business; painting goes on.
    }
}
