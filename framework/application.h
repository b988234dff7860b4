// The application object (message loop, main form, the general handling of
// uncaught errors) and the screen object (size, resolution, cursor, active form).
#pragma once

#include "framework/component.h"
#include "framework/colors.h"

#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

class TForm;

class TApplication : public TComponent {
public:
    TApplication();

    // Handles every waiting message, then returns.
    void ProcessMessages();
    // Waits for one message and handles it.
    void HandleMessage();
    bool Terminated() const { return terminated_; }
    void Terminate();

    TForm* MainForm() const { return mainForm_; }
    void SetMainForm(TForm* form) { mainForm_ = form; }
    TColor HintColor() const { return hintColor_; }
    void SetHintColor(TColor color) { hintColor_ = color; }
    std::string Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }

    // The general handling of an error that no step caught: shows
    // "Eroare: <text>" in a message box, or passes the text to OnException.
    void HandleException(std::exception_ptr error);
    std::function<void(const std::string& message)> OnException;

    // Milliseconds since the system started, for waits that pump messages.
    static DWORD TickCount() { return GetTickCount(); }

protected:
    void Notification(TComponent* component, bool removing) override;

private:
    bool ProcessMessage(MSG& msg);
    bool PreprocessKey(MSG& msg);

    TForm* mainForm_ = nullptr;  // not owned
    TColor hintColor_ = clInfoBk;
    std::string title_ = "KORVEN";
    bool terminated_ = false;
};

TApplication& Application();

enum TCursor {
    crDefault = 0,
    crNone = -1,
    crArrow = -2,
    crCross = -3,
    crIBeam = -4,
    crSizeAll = -22,
    crHourGlass = -11,
    crHandPoint = -21
};

class TScreen {
public:
    int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
    int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
    int PixelsPerInch() const;

    TCursor Cursor() const { return cursor_; }
    // Anything but crDefault overrides every window's own cursor (a busy
    // hour-glass while a step runs).
    void SetCursor(TCursor cursor);
    HCURSOR CursorHandle(TCursor cursor) const;

    TForm* ActiveForm() const { return activeForm_; }
    void SetActiveForm(TForm* form) { activeForm_ = form; }
    const std::vector<TForm*>& Forms() const { return forms_; }
    void AddForm(TForm* form);
    void RemoveForm(TForm* form);

private:
    TCursor cursor_ = crDefault;
    TForm* activeForm_ = nullptr;  // not owned
    std::vector<TForm*> forms_;    // not owned
};

TScreen& Screen();
