#include "page_test_support.h"

#include "framework/application.h"
#include "framework/filectrls.h"
#include "pages/dir_dialog.h"

namespace {

std::function<void(TDirDialog&)> pickerAction;

void CALLBACK ActOnPicker(HWND, UINT, UINT_PTR timer, DWORD) {
    auto* picker = dynamic_cast<TDirDialog*>(Screen().ActiveForm());
    if (!picker || !IsWindowVisible(picker->Handle())) return;
    KillTimer(nullptr, timer);
    pickerAction(*picker);
}

}  // namespace

void WhenPickerOpens(std::function<void(TDirDialog&)> act) {
    pickerAction = std::move(act);
    SetTimer(nullptr, 0, 20, ActOnPicker);
}

void DoubleClick(TDirectoryListBox& list, int index) {
    RECT r = list.ItemRect(index);
    LPARAM at = MAKELPARAM(r.left + 30, (r.top + r.bottom) / 2);
    HWND h = list.Handle();
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(h, WM_LBUTTONUP, 0, at);
    SendMessageA(h, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(h, WM_LBUTTONUP, 0, at);
}

void Press(TDirDialog& picker, const char* button) {
    SendMessageA(static_cast<TWinControl*>(picker.FindComponent(button))->Handle(), BM_CLICK, 0, 0);
}
