#include "toolkit/display.h"

#include "framework/gdi.h"

bool HighColorDisplay = true;

bool ScreenHasHighColor() {
    gdi::WindowDC screen(nullptr);
    return GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES) > 8;
}
