// What the toolkit does once, before the program's first form: its classes
// become known to form descriptions and the glyph set starts.
#pragma once

#include "toolkit/glyph_set.h"

void StartToolkit(const GlyphSetStart& start = {});

// The toolkit's component classes, for descriptions that name them.
void RegisterToolkitClasses();
