// Forms for the toolkit's tests: a description read with the toolkit's
// classes known, handlers that record what was clicked, and helpers that
// look at painted pixels.
#pragma once

#include "framework/application.h"
#include "framework/form.h"
#include "toolkit/toolkit_start.h"

#include <algorithm>
#include <string>
#include <vector>

class ToolkitForm : public TForm {
public:
    explicit ToolkitForm(const std::string& description) : TForm(nullptr) {
        RegisterToolkitClasses();
        PublishMethod("Clicked", &ToolkitForm::Clicked);
        PublishMethod("Refuse", &ToolkitForm::Refuse);
        LoadFormText(description, "TEST");
    }
    void Clicked(TObject* sender) { clicked.push_back(static_cast<TComponent*>(sender)->Name()); }
    void Refuse(TObject*, bool& allow) {
        ++asked;
        allow = false;
    }
    std::vector<std::string> clicked;
    int asked = 0;
};

inline bool Reddish(TColor c) { return (c & 0xFF) > 150 && ((c >> 8) & 0xFF) < 100 && ((c >> 16) & 0xFF) < 100; }
inline bool Dark(TColor c) { return (c & 0xFF) < 100 && ((c >> 8) & 0xFF) < 100 && ((c >> 16) & 0xFF) < 100; }

// The bounding box of the pixels that pass `test` in rect; left > right when
// none do.
template <class Test>
RECT Extent(const TCanvas& canvas, RECT rect, Test test) {
    RECT box{rect.right, rect.bottom, -1, -1};
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (test(canvas.Pixel(x, y))) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x);
                box.bottom = std::max<LONG>(box.bottom, y);
            }
    return box;
}

// The same over a whole bitmap.
template <class Test>
RECT Extent(TBitmap& bitmap, Test test) {
    return Extent(bitmap.Canvas(), RECT{0, 0, bitmap.Width(), bitmap.Height()}, test);
}

// Paints the form and its graphic controls into a bitmap of its client size.
inline void PaintForm(TForm& form, TBitmap& into) {
    into.SetSize(form.ClientWidth(), form.ClientHeight());
    form.PaintTo(into.Canvas().Handle());
}

// Lets the windows paint and the posted messages arrive.
inline void Settle() {
    for (int i = 0; i < 3; ++i) Application().ProcessMessages();
}
