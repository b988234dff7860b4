// The engine's module-wide state: what must outlive one member. The busy
// guard (in-use flag and time of the last message pump) and the report
// callback that the component makes active for one archive. Everything that
// belongs to one member lives in MemberContext instead, so that an extraction
// which overrides a stale busy flag can never pull buffers from under the one
// it overrides.
#pragma once

#include <cstdint>

#include "unzip/zip_types.h"

namespace korven::unzip::engine {

struct BusyState {
    bool inUse = false;
    uint32_t lastPumpTick = 0;  // 0: no pump has happened yet
};

BusyState& Busy();

// The callback the engine calls on every output flush, owned by the archive
// operation that made it active; nullptr when none. A pointer, so that a
// callback which starts another extraction never replaces the callable that
// is running.
const ReportProc*& ActiveReport();

// The one record shared by the engine and all components.
ReportRecord& SharedRecord();

}  // namespace korven::unzip::engine
