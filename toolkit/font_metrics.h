// Metrics of a font measured on the screen, for controls that lay out text
// before or outside their own painting.
#pragma once

#include "framework/graphics.h"

TEXTMETRICA FontMetrics(const TFont& font);
// The height of the system font, on which edits base their text margin.
int SystemFontHeight();
