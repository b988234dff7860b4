#include "core/unattended.h"

#include "core/debug_log.h"
#include "core/outcome.h"
#include "framework/application.h"

TUnattendedAnswers Unattended;

void EndUnattendedRun(const std::string& why) {
    DebugNote(why);
    RecordOutcome(ecCancelled);
    Application().Terminate();
}
