#include "tests/support/page_test.h"

#include "core/settings.h"
#include "toolkit/toolkit_start.h"

void PageTest::SetUp() {
    static const bool started = [] {
        StartToolkit();
        return true;
    }();
    (void)started;
    InstallSettings = TInstallSettings{};
}

int ShowClicking(TForm& page, const std::vector<HWND>& clicks) {
    page.HandleNeeded();
    for (HWND window : clicks) PostMessageA(window, BM_CLICK, 0, 0);
    return page.ShowModal();
}
