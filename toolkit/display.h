// Toolkit-wide facts about the display, set once when the toolkit starts.
#pragma once

// True when the screen shows more than 256 colours: gradients and the
// recoloured pictures need it; on a 256-colour screen flat colours are used.
extern bool HighColorDisplay;

// The screen's colour depth decides HighColorDisplay.
bool ScreenHasHighColor();
