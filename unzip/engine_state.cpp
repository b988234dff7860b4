#include "unzip/engine_state.h"

#include "unzip/platform.h"

namespace korven::unzip {

namespace {
EngineHost* installedHost = nullptr;
}  // namespace

EngineHost& CurrentHost() { return installedHost ? *installedHost : DefaultHost(); }
void SetEngineHost(EngineHost* host) { installedHost = host; }

namespace engine {

BusyState& Busy() {
    static BusyState state;
    return state;
}

const ReportProc*& ActiveReport() {
    static const ReportProc* callback = nullptr;
    return callback;
}

ReportRecord& SharedRecord() {
    static ReportRecord record{};
    return record;
}

}  // namespace engine
}  // namespace korven::unzip
