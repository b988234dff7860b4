// The toolkit's one colour scheme: every toolkit form shows the same greys
// whatever the Windows colour settings, so the system button face is replaced
// by a fixed grey when a form is loaded. Portable: no Win32 here.
#pragma once

#include "framework/colors.h"

// The scheme colour for `color`; a colour the scheme does not know is kept.
TColor MapThemeColor(TColor color);

// The fixed grey that stands for the button face on every toolkit form
// (red 212, green 208, blue 200).
constexpr TColor kThemeButtonFace = 0x00C8D0D4;
