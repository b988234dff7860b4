// Painting never lets a failure out: a control that cannot draw stays as far
// as it got, the first failure of each kind of control is written to the
// debugger output, and no dialog is opened from inside a paint.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

template <class Paint>
void GuardedPaint(const char* control, bool& reported, Paint paint) noexcept {
    try {
        paint();
    } catch (const std::exception& e) {
        if (reported) return;
        reported = true;
        OutputDebugStringA((std::string(control) + ": drawing failed: " + e.what() + "\n").c_str());
    } catch (...) {
        if (reported) return;
        reported = true;
        OutputDebugStringA((std::string(control) + ": drawing failed\n").c_str());
    }
}
