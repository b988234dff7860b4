// Starts the toolkit once, before its first form: the size limit of forms,
// the display's colour depth and the glyph holder, then the title bars. The
// program passes the sink that receives the toolkit's log marks.
#pragma once

#include "toolkit/toolkit_log.h"

void StartToolkit(ToolkitLogSink log);
