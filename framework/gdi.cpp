#include "framework/gdi.h"

namespace gdi {

void Selection::Select(HGDIOBJ object) {
    HGDIOBJ old = SelectObject(dc_, object);
    HGDIOBJ* slot = nullptr;
    switch (GetObjectType(object)) {
    case OBJ_FONT: slot = &oldFont_; break;
    case OBJ_BRUSH: slot = &oldBrush_; break;
    case OBJ_PEN: slot = &oldPen_; break;
    case OBJ_BITMAP: slot = &oldBitmap_; break;
    default: return;
    }
    if (!*slot) *slot = old;  // keep the original, not our own earlier choice
}

void Selection::Restore() {
    if (!dc_) return;
    for (HGDIOBJ* slot : {&oldFont_, &oldBrush_, &oldPen_, &oldBitmap_}) {
        if (*slot) SelectObject(dc_, *slot);
        *slot = nullptr;
    }
}

}  // namespace gdi
