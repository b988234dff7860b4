#include "core/user_interface.h"

#include "core/debug_log.h"
#include "toolkit/toolkit_start.h"

void StartUserInterface() {
    static bool started = false;
    if (started) return;
    started = true;
    StartToolkit({},
                 {[](const std::string& step) { DebugBegin(step); }, [](const std::string& step) { DebugEnd(step); },
                  [](const std::string& text) { DebugNote(text); }});
}
