#include "framework/application.h"

#include "framework/form.h"
#include "framework/graphics.h"

#include <algorithm>

TApplication::TApplication() : TComponent(nullptr) {}

// The application and the screen live until the process ends and are never
// destroyed: no window message sent while the process exits can meet one
// that is already gone.
TApplication& Application() {
    static TApplication* const application = new TApplication;
    return *application;
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        if (!ProcessMessage(msg)) break;
}

void TApplication::HandleMessage() {
    MSG msg;
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == -1) return;
    if (got == 0) {
        terminated_ = true;
        return;
    }
    ProcessMessage(msg);
}

void TApplication::Terminate() {
    terminated_ = true;
    PostQuitMessage(0);
}

// False when the message was WM_QUIT.
bool TApplication::ProcessMessage(MSG& msg) {
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return false;
    }
    if (!PreprocessKey(msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

// Keys go to their form first (key preview, navigation, default and cancel
// buttons). Errors in those handlers get the general handling too.
bool TApplication::PreprocessKey(MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN && msg.message != WM_CHAR &&
        msg.message != WM_SYSCHAR)
        return false;
    auto* form = dynamic_cast<TForm*>(FindControl(GetAncestor(msg.hwnd, GA_ROOT)));
    if (!form) return false;
    try {
        return form->PreprocessMessage(msg);
    } catch (...) {
        HandleException(std::current_exception());
        return true;
    }
}

void TApplication::HandleException(std::exception_ptr error) {
    std::string text;
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        text = e.what();
    } catch (...) {
        text = "eroare necunoscuta";
    }
    std::string message = "Eroare: " + text;
    if (OnException) {
        OnException(message);
        return;
    }
    MessageBoxA(GetActiveWindow(), message.c_str(), title_.c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

void TApplication::Notification(TComponent* component, bool removing) {
    if (removing && component == mainForm_) mainForm_ = nullptr;
}

// ---------------------------------------------------------------------------

TScreen& Screen() {
    static TScreen* const screen = new TScreen;
    return *screen;
}

int TScreen::PixelsPerInch() const { return ScreenPixelsPerInch(); }

HCURSOR TScreen::CursorHandle(TCursor cursor) const {
    LPCSTR id;
    switch (cursor) {
    case crNone: return nullptr;
    case crCross: id = reinterpret_cast<LPCSTR>(IDC_CROSS); break;
    case crIBeam: id = reinterpret_cast<LPCSTR>(IDC_IBEAM); break;
    case crSizeAll: id = reinterpret_cast<LPCSTR>(IDC_SIZEALL); break;
    case crHourGlass: id = reinterpret_cast<LPCSTR>(IDC_WAIT); break;
    case crHandPoint: id = reinterpret_cast<LPCSTR>(IDC_HAND); break;
    default: id = reinterpret_cast<LPCSTR>(IDC_ARROW); break;
    }
    return LoadCursorA(nullptr, id);
}

void TScreen::SetCursor(TCursor cursor) {
    cursor_ = cursor;
    ::SetCursor(CursorHandle(cursor == crDefault ? crArrow : cursor));
}

void TScreen::AddForm(TForm* form) { forms_.push_back(form); }

void TScreen::RemoveForm(TForm* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    if (activeForm_ == form) activeForm_ = nullptr;
}
