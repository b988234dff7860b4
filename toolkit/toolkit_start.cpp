#include "toolkit/toolkit_start.h"

#include "framework/application.h"
#include "toolkit/title_bar.h"
#include "toolkit/toolkit_classes.h"
#include "toolkit/work_area.h"

#include <utility>

namespace {

// The taskbar's rectangle on the screen; all zero when there is none.
TaskbarRect FindTaskbar() {
    RECT r{};
    if (HWND tray = FindWindowA("Shell_TrayWnd", nullptr)) GetWindowRect(tray, &r);
    return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

void StartToolkit(ToolkitLogSink log, const GlyphSetStart& glyphs) {
    SetToolkitLogSink(std::move(log));
    RegisterToolkitClasses();
    FormSizeLimit limit = WorkAreaLimit(Screen().Width(), Screen().Height(), FindTaskbar());
    MaxFormWidth = limit.width;
    MaxFormHeight = limit.height;
    StartGlyphSet(glyphs);  // HighColorDisplay first, then the glyph holder
    InitTitleBars();
}
