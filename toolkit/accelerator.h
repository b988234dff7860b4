// Captions with their accelerator in an accent colour, and the embossed look
// of a disabled caption: one drawing for the toolkit's buttons, labels, check
// boxes, radio buttons and painted panels, so they all mark keys alike.
#pragma once

#include "framework/control.h"

#include <string_view>

// Draws text on one line at the top of rect with a clear background: the
// accelerator (the character after the first "&") in `accent`, the rest in
// the font colour. While `focused`, the "&" goes with its character so that
// it is drawn underlined. Right or centre alignment places the whole line by
// its measured width.
void DrawAcceleratedText(TCanvas& canvas, std::string_view text, const RECT& rect, TColor accent, bool focused,
                         TAlignment alignment = taLeftJustify);

// The width of the line DrawAcceleratedText draws (the "&" takes no room).
int AcceleratedTextWidth(TCanvas& canvas, std::string_view text);

// A disabled caption, "&" removed: white 1 pixel right and down, then grey
// in place, as engraved in the face.
void DrawEmbossedText(TCanvas& canvas, std::string_view text, const RECT& rect, TAlignment alignment = taLeftJustify);
