// The toolkit's one set of pictures: the glyph holder TMesaj, a hidden form
// whose images hold every glyph strip, dialog icon and face, and the lookups
// by button kind, extra glyph kind and dialog kind. Lookups hand out the
// holder's own bitmaps (or one shared empty bitmap): whoever draws them
// recolours a copy, never the bitmap itself.
#pragma once

#include "framework/form.h"
#include "toolkit/button_kinds.h"

#include <string>
#include <string_view>

// True when the screen shows more than 256 colours; set when the glyph set
// starts, before the holder is made. The title bar and the hint colour
// follow it.
extern bool HighColorDisplay;

// What the glyph set starts from; tests give other displays than the one
// they run on.
struct GlyphSetStart {
    int bitsPerPixel = 0;   // 0: the screen's
    int pixelsPerInch = 0;  // 0: the screen's
    std::string folder;     // where TabMF.bmp and TabMFL.bmp may lie; empty: the program's folder
};

class TMesaj : public TForm {
public:
    TMesaj(int pixelsPerInch, const std::string& folder);

    // The picture of that name, or the shared empty bitmap.
    TBitmap& Picture(std::string_view name) const;
    // The tab face for the holder's resolution.
    TBitmap& TabCtrlFace() const;

private:
    void ReplaceBackgrounds();
    void ReplaceFromFile(std::string_view picture, const std::string& path);
    int pixelsPerInch_;
};

// Sets HighColorDisplay, makes the glyph holder (again, when it exists) and
// sets the application's hint colour.
void StartGlyphSet(const GlyphSetStart& start = {});
// The holder; started with the screen's values on first use.
TMesaj& GlyphHolder();

TBitmap& EmptyGlyph();
TBitmap& ButtonGlyph(TMButtonKind kind);
// A TNiceButton's glyph: its own picture where the kind has one, else the
// TMButton's.
TBitmap& NiceButtonGlyph(TMButtonKind kind);
TBitmap& AlteGlyph(TAlteGlife kind);
TBitmap& DialogIcon(TMsgDlgType kind);

// The button-face colour every glyph background becomes.
TColor GlyphBackgroundColor();
