// What the toolkit does once, before the program's first form: its classes
// become known to form descriptions, the size limit of forms is taken from
// the work area, the glyph set starts and the title bars write their marks.
// The program passes the sink that receives the toolkit's log marks.
#pragma once

#include "toolkit/glyph_set.h"
#include "toolkit/toolkit_log.h"

void StartToolkit(const GlyphSetStart& start = {}, ToolkitLogSink log = {});

// The toolkit's component classes, for descriptions that name them. Every
// toolkit form calls it before it reads its description; again is harmless.
void RegisterToolkitClasses();
