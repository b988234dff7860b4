#include "toolkit/glyph_set.h"

#include "framework/application.h"
#include "framework/extctrls.h"
#include "toolkit/theme_colors.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <memory>

bool HighColorDisplay = true;

namespace {

constexpr TColor kHighColorHint = 0x00E6E2D9;
constexpr TColor kLowColorHint = 0x0000FFFF;

// Pictures shown as drawn: pages, paper and the skins keep their own
// background colour.
constexpr std::array<std::string_view, 7> kKeepBackground{"ImageDate", "ImageListe",    "StopModi",        "Hartie",
                                                          "Mijloc",    "ButtonFaceVTQ", "ButtonFaceVTQ120"};
// Pictures drawn in shades of the button face on high-colour displays.
constexpr std::array<std::string_view, 2> kFaceShaded{"LookupFace", "EscapeImg"};

std::unique_ptr<TMesaj>& HolderSlot() {
    static std::unique_ptr<TMesaj> holder;
    return holder;
}

int ScreenBitsPerPixel() {
    gdi::WindowDC screen(nullptr);
    return GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
}

std::string ProgramFolder() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::filesystem::path(std::string(path, length)).parent_path().string();
}

std::uint32_t ToPixel(TColor color) {
    COLORREF rgb = ColorToRGB(color);
    return (GetRValue(rgb) << 16) | (GetGValue(rgb) << 8) | GetBValue(rgb);
}

void ReplaceColor(TBitmap& bitmap, std::uint32_t from, std::uint32_t to) {
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::uint32_t* row = bitmap.ScanLine(y);
        std::replace_if(
            row, row + bitmap.Width(), [from](std::uint32_t p) { return (p & 0xFFFFFF) == from; }, to);
    }
}

// Every pixel but the background becomes the face colour at the pixel's own
// brightness, so the picture sits on the face as if pressed into it.
void ShadeWithFace(TBitmap& bitmap, std::uint32_t face) {
    if (bitmap.Empty()) return;
    std::uint32_t background = bitmap.ScanLine(0)[0] & 0xFFFFFF;
    auto channel = [](std::uint32_t p, int shift) { return static_cast<int>((p >> shift) & 0xFF); };
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::uint32_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x) {
            std::uint32_t p = row[x] & 0xFFFFFF;
            if (p == background) continue;
            int light = (channel(p, 16) * 30 + channel(p, 8) * 59 + channel(p, 0) * 11) / 100;
            auto shade = [&](int shift) {
                return static_cast<std::uint32_t>(std::min(255, channel(face, shift) * (light + 40) / 215)) << shift;
            };
            row[x] = shade(16) | shade(8) | shade(0);
        }
    }
}

}  // namespace

TColor GlyphBackgroundColor() { return MapThemeColor(clBtnFace); }

TMesaj::TMesaj(int pixelsPerInch, const std::string& folder) : TForm(nullptr), pixelsPerInch_(pixelsPerInch) {
    LoadForm("TMesaj");
    if (HighColorDisplay) {
        for (std::string_view name : kFaceShaded) ShadeWithFace(Picture(name), ToPixel(GlyphBackgroundColor()));
        ReplaceBackgrounds();
    }
    ReplaceFromFile("MenuTabCtrlFace120", (std::filesystem::path(folder) / "TabMF.bmp").string());
    ReplaceFromFile("MenuTabCtrlFace120L", (std::filesystem::path(folder) / "TabMFL.bmp").string());
}

TBitmap& TMesaj::Picture(std::string_view name) const {
    auto* image = FindChild<TImage>(name);
    return image ? image->Picture() : EmptyGlyph();
}

TBitmap& TMesaj::TabCtrlFace() const { return Picture(pixelsPerInch_ == 120 ? "TabCtrlFace120" : "TabCtrlFace"); }

void TMesaj::ReplaceBackgrounds() {
    std::uint32_t face = ToPixel(GlyphBackgroundColor());
    for (int i = 0; i < ComponentCount(); ++i) {
        auto* image = dynamic_cast<TImage*>(Components(i));
        if (!image || image->Picture().Empty()) continue;
        if (std::find(kKeepBackground.begin(), kKeepBackground.end(), image->Name()) != kKeepBackground.end()) continue;
        TBitmap& picture = image->Picture();
        ReplaceColor(picture, picture.ScanLine(0)[0] & 0xFFFFFF, face);
    }
}

void TMesaj::ReplaceFromFile(std::string_view picture, const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return;
    TBitmap replacement;
    try {
        replacement.LoadFromFile(path);
    } catch (const std::exception&) {
        return;  // an unreadable file leaves the built-in picture
    }
    if (TBitmap& target = Picture(picture); &target != &EmptyGlyph()) target.Assign(replacement);
}

void StartGlyphSet(const GlyphSetStart& start) {
    // The application and the screen outlive the holder: made first, freed last.
    TApplication& application = Application();
    Screen();
    int bits = start.bitsPerPixel > 0 ? start.bitsPerPixel : ScreenBitsPerPixel();
    HighColorDisplay = bits > 8;
    HolderSlot().reset();
    HolderSlot() = std::make_unique<TMesaj>(start.pixelsPerInch > 0 ? start.pixelsPerInch : Screen().PixelsPerInch(),
                                            start.folder.empty() ? ProgramFolder() : start.folder);
    application.SetHintColor(HighColorDisplay ? kHighColorHint : kLowColorHint);
}

TMesaj& GlyphHolder() {
    if (!HolderSlot()) StartGlyphSet();
    return *HolderSlot();
}

TBitmap& EmptyGlyph() {
    static TBitmap empty;
    return empty;
}

TBitmap& ButtonGlyph(TMButtonKind kind) {
    std::string_view name = KindInfo(kind).glyph;
    return name.empty() ? EmptyGlyph() : GlyphHolder().Picture(name);
}

TBitmap& NiceButtonGlyph(TMButtonKind kind) {
    std::string_view name = KindInfo(kind).niceGlyph;
    return name.empty() ? ButtonGlyph(kind) : GlyphHolder().Picture(name);
}

TBitmap& AlteGlyph(TAlteGlife kind) {
    std::string_view name = AlteGlifeName(kind);
    return name.empty() ? EmptyGlyph() : GlyphHolder().Picture(name);
}

TBitmap& DialogIcon(TMsgDlgType kind) {
    std::string_view name = DialogIconName(kind);
    return name.empty() ? EmptyGlyph() : GlyphHolder().Picture(name);
}
