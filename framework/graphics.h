// Drawing: fonts, brushes and pens as descriptions that a canvas turns into
// GDI objects when it draws, a canvas over any device context, and bitmaps as
// 32-bit DIB sections whose pixels can be read directly.
#pragma once

#include "framework/colors.h"
#include "framework/properties.h"
#include "framework/gdi.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

// The RGB value of a colour; system colours are looked up now.
COLORREF ColorToRGB(TColor color);

// Pixels per logical inch of the screen (96 on a standard display).
int ScreenPixelsPerInch();

using TFontStyles = unsigned;
constexpr TFontStyles fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8;

class TFont : public TPersistent {
    DECLARE_CLASS_INFO
public:
    TFont();
    std::function<void()> OnChange;

    std::string Name() const { return name_; }
    void SetName(const std::string& name);
    // Height in pixels; negative means the character height (as in LOGFONT).
    int Height() const { return height_; }
    void SetHeight(int height);
    int Size() const;  // points
    void SetSize(int points);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    int PixelsPerInch() const { return pixelsPerInch_; }

    void Assign(const TFont& other);
    bool SameAs(const TFont& other) const;
    gdi::Font Create() const;

private:
    void Changed();
    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    TColor color_ = clWindowText;
    TFontStyles style_ = 0;
    int pixelsPerInch_;
};

enum TBrushStyle { bsSolid, bsClear };

class TBrush {
public:
    std::function<void()> OnChange;
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
};

enum TPenStyle { psSolid, psDash, psDot, psClear };

class TPen {
public:
    std::function<void()> OnChange;
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Width() const { return width_; }
    void SetWidth(int width);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style);

private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
};

class TBitmap;

// The size of text in a font as DrawTextA lays it out with `flags` (DT_*,
// DT_CALCRECT implied) within `width` pixels (for DT_WORDBREAK), measured
// on the screen; no canvas needed.
SIZE MeasureText(const TFont& font, std::string_view text, UINT flags, int width = 0);

// Drawing on a device context that someone else provides (a paint DC, a
// bitmap's memory DC). The canvas creates the GDI objects for its font, brush
// and pen when it draws, and puts the DC's own objects back when detached.
class TCanvas {
public:
    TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;
    ~TCanvas();

    HDC Handle() const { return dc_; }
    void SetHandle(HDC dc);  // nullptr detaches

    TFont& Font() { return font_; }
    TBrush& Brush() { return brush_; }
    TPen& Pen() { return pen_; }

    void FillRect(const RECT& rect);
    void FrameRect(const RECT& rect);  // one pixel in the brush colour
    void Rectangle(int left, int top, int right, int bottom);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    POINT PenPos() const;
    void TextOut(int x, int y, std::string_view text);
    SIZE TextExtent(std::string_view text);
    int TextWidth(std::string_view text) { return TextExtent(text).cx; }
    int TextHeight(std::string_view text) { return TextExtent(text).cy; }
    // The font's metrics (tmAscent, tmDescent, tmInternalLeading ...), for
    // text laid out on a common baseline.
    TEXTMETRICA TextMetrics();
    // DrawTextA with its DT_* flags (DT_WORDBREAK, DT_CENTER, DT_CALCRECT,
    // DT_NOPREFIX ...); returns the text height, rect grows with DT_CALCRECT.
    int DrawText(std::string_view text, RECT& rect, UINT flags);
    void CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect);
    // Draws the bitmap at (x, y); a transparent bitmap leaves the pixels of
    // its transparent colour unpainted.
    void Draw(int x, int y, TBitmap& bitmap);
    // Draws the part `source` of the bitmap (one frame of a glyph strip) at
    // (x, y), leaving the pixels of colour `transparent` unpainted; clNone
    // means the bitmap's top-left pixel. The bitmap itself is not changed.
    void DrawTransparent(int x, int y, TBitmap& bitmap, const RECT& source, TColor transparent = clNone);
    void StretchDraw(const RECT& dest, TBitmap& bitmap);
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

private:
    void RequireFont();
    void RequireBrush();
    void RequirePen();

    HDC dc_ = nullptr;  // not owned
    gdi::Selection selection_;
    TFont font_;
    TBrush brush_;
    TPen pen_;
    gdi::Font gdiFont_;
    gdi::Brush gdiBrush_;
    gdi::Pen gdiPen_;
    bool fontSelected_ = false, brushSelected_ = false, penSelected_ = false;
};

// A 32-bit top-down DIB section with its own memory DC and canvas.
class TBitmap {
public:
    TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;
    ~TBitmap();

    std::function<void()> OnChange;

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }
    void SetSize(int width, int height);  // contents become white
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }

    TCanvas& Canvas();
    HBITMAP Handle() const { return bitmap_; }
    // Pixel row y as 0x00RRGGBB values; call after drawing is finished.
    std::uint32_t* ScanLine(int y);

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    // clNone (the default) means: the colour of the top-left pixel.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);

    void Assign(const TBitmap& other);
    // The contents of a .bmp file; throws std::runtime_error when it is not one.
    void LoadFromMemory(const void* data, size_t size);
    void LoadFromFile(const std::string& path);
    void LoadFromResourceName(HINSTANCE instance, const std::string& name);
    void SaveToFile(const std::string& path);

private:
    void LoadFromInfo(const BITMAPINFOHEADER* header, size_t available, const void* bits, size_t bitsSize);
    void Changed();

    int width_ = 0, height_ = 0;
    gdi::Bitmap bitmap_;
    std::uint32_t* bits_ = nullptr;  // owned by bitmap_
    std::unique_ptr<gdi::MemoryDC> dc_;
    std::unique_ptr<gdi::Selection> selection_;
    std::unique_ptr<TCanvas> canvas_;
    bool transparent_ = false;
    TColor transparentColor_ = clNone;
};

// Writes a description's bitmap value into a bitmap: a string names a BITMAP
// resource of the executable, {hex} holds the bytes of a .bmp file.
void LoadBitmapValue(TBitmap& bitmap, const PropValue& value);
