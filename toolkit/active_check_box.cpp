#include "toolkit/active_check_box.h"

#include "toolkit/glyph_button_paint.h"
#include "toolkit/glyph_set.h"

namespace {

// The frames of the "Check" strip, left to right.
constexpr int kCheckFrames = 3;
int FrameOf(TCheckBoxState state) {
    switch (state) {
    case cbChecked: return 0;
    case cbUnchecked: return 1;
    case cbGrayed: return 2;
    }
    return 1;
}

}  // namespace

const ClassInfo& TMCustomCheckBox::StaticClass() {
    static const ClassInfo info =
        ClassBuilder<TMCustomCheckBox>("TMCustomCheckBox", &TCheckBox::StaticClass())
            .Custom("Glyph", [](TMCustomCheckBox& box, const PropValue& v) { LoadBitmapValue(box.glyph_, v); })
            .Boolean("CustomGlyph", &TMCustomCheckBox::SetCustomGlyph, &TMCustomCheckBox::CustomGlyph)
            .Build();
    return info;
}

TMCustomCheckBox::TMCustomCheckBox(TComponent* owner) : TCheckBox(owner) {
    SetParentColor(true);
    glyph_.OnChange = [this] { Invalidate(); };
}

void TMCustomCheckBox::SetCustomGlyph(bool value) {
    customGlyph_ = value;
    Invalidate();
}

bool TMCustomCheckBox::DrawItem(const DRAWITEMSTRUCT& item) {
    GlyphButtonFace face;
    face.glyph = customGlyph_ ? &glyph_ : &GlyphHolder().Picture("Check");
    face.frames = kCheckFrames;
    face.frame = FrameOf(State());
    face.caption = Caption();
    face.alignment = Alignment();
    face.focused = Focused();
    face.enabled = Enabled();
    PaintGlyphButton(item.hDC, item.rcItem.right - item.rcItem.left, item.rcItem.bottom - item.rcItem.top, *this, face);
    return true;
}

const ClassInfo& TActiveCheckBox::StaticClass() {
    static const ClassInfo info =
        ClassBuilder<TActiveCheckBox>("TActiveCheckBox", &TMCustomCheckBox::StaticClass()).Build();
    return info;
}

TActiveCheckBox::TActiveCheckBox(TComponent* owner) : TMCustomCheckBox(owner) {}
