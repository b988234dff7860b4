// Painting never lets a failure out: a control that cannot draw stays as far
// as it got, notes why in the program's log (once per reason), and no dialog
// is opened from inside a paint.
#pragma once

#include "framework/component.h"
#include "toolkit/toolkit_log.h"

#include <exception>

// Noting must not fail either: a failure that reached here may well be the
// lack of memory that building the note needs.
inline void NotePaintFailure(const TComponent& control, const char* reason) noexcept {
    try {
        ReportPaintFailure(control.ClassName() + " " + control.Name(), reason);
    } catch (...) {}
}

template <class Paint>
void GuardedPaint(const TComponent& control, Paint paint) noexcept {
    try {
        paint();
    } catch (const std::exception& e) {
        NotePaintFailure(control, e.what());
    } catch (...) {
        NotePaintFailure(control, "eroare necunoscuta");
    }
}
