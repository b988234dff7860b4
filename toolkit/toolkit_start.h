// Starts the toolkit once, before its first form: its classes become known to
// form descriptions, the size limit of forms is taken from the work area, the
// display's colour depth and the glyph holder are set up, then the title
// bars. The program passes the sink that receives the toolkit's log marks;
// tests may also pass the display the glyph set should assume.
#pragma once

#include "toolkit/glyph_set.h"
#include "toolkit/toolkit_log.h"

void StartToolkit(ToolkitLogSink log = {}, const GlyphSetStart& glyphs = {});
