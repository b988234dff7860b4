#include "tests/support/screen_shots.h"

#include "core/page_placement.h"
#include "framework/application.h"
#include "framework/gdi.h"
#include "framework/graphics.h"
#include "framework/form.h"

void Settle(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        Application().ProcessMessages();
    }
}

void PlaceAsTheWizard(TForm& page) {
    const PagePlace place = PlacePage(Screen().Width(), Screen().Height(), page.Width(), page.Height());
    page.SetLeft(place.left);
    page.SetTop(place.top);
}

void SaveScreen(const RECT& area, const std::string& path) {
    TBitmap shot;
    shot.SetSize(area.right - area.left, area.bottom - area.top);
    gdi::WindowDC screen(nullptr);
    BitBlt(shot.Canvas().Handle(), 0, 0, shot.Width(), shot.Height(), screen, area.left, area.top, SRCCOPY);
    shot.SaveToFile(path);
}

void SaveWindow(HWND window, const std::string& path) {
    RECT area;
    GetWindowRect(window, &area);
    SaveScreen(area, path);
}
