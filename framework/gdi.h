// One RAII wrapper per GDI/USER handle type. Each converts implicitly to the
// raw handle so that Win32 calls stay readable, deletes only what it created,
// and a DC wrapper puts back every object selected into it.
#pragma once

#include <windows.h>

#include <utility>

namespace gdi {

// A brush, pen, font, bitmap or region made by us; DeleteObject on destruction.
template <class H>
class Object {
public:
    Object() = default;
    explicit Object(H handle) : handle_(handle) {}
    Object(Object&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Object& operator=(Object&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    ~Object() { Reset(); }

    operator H() const { return handle_; }
    H Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset(H handle = nullptr) {
        if (handle_) DeleteObject(handle_);
        handle_ = handle;
    }

private:
    H handle_ = nullptr;
};

using Brush = Object<HBRUSH>;
using Pen = Object<HPEN>;
using Font = Object<HFONT>;
using Bitmap = Object<HBITMAP>;
using Region = Object<HRGN>;

// Selects objects into a DC and puts the first-replaced ones back on
// destruction (or on Restore), so the DC leaves as it came.
class Selection {
public:
    explicit Selection(HDC dc = nullptr) : dc_(dc) {}
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    ~Selection() { Restore(); }

    void Attach(HDC dc) {
        Restore();
        dc_ = dc;
    }
    void Select(HGDIOBJ object);
    void Restore();

private:
    HDC dc_;
    HGDIOBJ oldFont_ = nullptr, oldBrush_ = nullptr, oldPen_ = nullptr, oldBitmap_ = nullptr;
};

// A memory DC compatible with the screen (or with another DC).
class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith = nullptr) : dc_(CreateCompatibleDC(compatibleWith)) {}
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    ~MemoryDC() { DeleteDC(dc_); }
    operator HDC() const { return dc_; }

private:
    HDC dc_;
};

// GetDC/ReleaseDC of a window (nullptr: the screen).
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() { ReleaseDC(window_, dc_); }
    operator HDC() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// GetWindowDC/ReleaseDC: the whole window, frame and caption included, with
// the origin at the window's corner (painting the non-client area).
class WholeWindowDC {
public:
    explicit WholeWindowDC(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
    WholeWindowDC(const WholeWindowDC&) = delete;
    WholeWindowDC& operator=(const WholeWindowDC&) = delete;
    ~WholeWindowDC() { ReleaseDC(window_, dc_); }
    operator HDC() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint/EndPaint.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window) { dc_ = BeginPaint(window, &ps_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    ~PaintDC() { EndPaint(window_, &ps_); }
    operator HDC() const { return dc_; }
    const RECT& Area() const { return ps_.rcPaint; }

private:
    HWND window_;
    HDC dc_;
    PAINTSTRUCT ps_{};
};

// SaveDC/RestoreDC around a block that changes clipping or the origin.
class SavedState {
public:
    explicit SavedState(HDC dc) : dc_(dc), id_(SaveDC(dc)) {}
    SavedState(const SavedState&) = delete;
    SavedState& operator=(const SavedState&) = delete;
    ~SavedState() { RestoreDC(dc_, id_); }

private:
    HDC dc_;
    int id_;
};

// A window we created; DestroyWindow on destruction.
class Window {
public:
    Window() = default;
    explicit Window(HWND handle) : handle_(handle) {}
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    ~Window() { Reset(); }
    operator HWND() const { return handle_; }
    void Reset(HWND handle = nullptr) {
        if (handle_ && IsWindow(handle_)) DestroyWindow(handle_);
        handle_ = handle;
    }

private:
    HWND handle_ = nullptr;
};

}  // namespace gdi
