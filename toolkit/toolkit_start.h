// Starts the toolkit once, before its first form: the display facts, the
// size limit of forms, and the title bars' start-up, in that order. The
// program passes the sink that receives the toolkit's log marks.
#pragma once

#include "toolkit/toolkit_log.h"

void StartToolkit(ToolkitLogSink log);
