#include "core/unattended_page.h"

#include <windows.h>

#include "framework/control.h"

void TUnattendedPage::Press(TWinControl* button) {
    if (button) SendMessageA(button->Handle(), BM_CLICK, 0, 0);
}

void TUnattendedPage::Type(TWinControl* edit, const std::string& text) {
    if (edit) SendMessageA(edit->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}
