#include "core/outcome.h"

namespace {
TExitCode outcome = ecInstalled;
}

void RecordOutcome(TExitCode code) {
    if (outcome == ecInstalled) outcome = code;
}

TExitCode RunOutcome() { return outcome; }
