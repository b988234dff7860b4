#include "framework/graphics.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

COLORREF ColorToRGB(TColor color) {
    if (IsSystemColor(color)) return GetSysColor(color & 0xFF);
    if (color == clNone) return 0;
    return static_cast<COLORREF>(color) & 0x00FFFFFF;
}

int ScreenPixelsPerInch() {
    gdi::WindowDC screen(nullptr);
    return GetDeviceCaps(screen, LOGPIXELSY);
}

// ---------------------------------------------------------------------------

namespace {
const NameList kFontStyleNames = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
}

const ClassInfo& TFont::StaticClass() {
    static const ClassInfo info = ClassBuilder<TFont>("TFont", &TPersistent::StaticClass())
                                      .String("Name", &TFont::SetName, &TFont::Name)
                                      .Integer("Height", &TFont::SetHeight, &TFont::Height)
                                      .Integer("Size", &TFont::SetSize, &TFont::Size)
                                      .Color("Color", &TFont::SetColor, &TFont::Color)
                                      .Set("Style", kFontStyleNames, &TFont::SetStyle, &TFont::Style)
                                      .Build();
    return info;
}

TFont::TFont() : pixelsPerInch_(ScreenPixelsPerInch()) {}

void TFont::SetName(const std::string& name) {
    if (name == name_) return;
    name_ = name;
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == height_) return;
    height_ = height;
    Changed();
}

int TFont::Size() const { return -MulDiv(height_, 72, pixelsPerInch_); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, pixelsPerInch_, 72)); }

void TFont::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    Changed();
}

void TFont::SetStyle(TFontStyles style) {
    if (style == style_) return;
    style_ = style;
    Changed();
}

void TFont::Assign(const TFont& other) {
    if (SameAs(other)) return;
    name_ = other.name_;
    height_ = other.height_;
    color_ = other.color_;
    style_ = other.style_;
    Changed();
}

bool TFont::SameAs(const TFont& other) const {
    return name_ == other.name_ && height_ == other.height_ && color_ == other.color_ && style_ == other.style_;
}

gdi::Font TFont::Create() const {
    LOGFONTA lf{};
    lf.lfHeight = height_;
    lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style_ & fsItalic) != 0;
    lf.lfUnderline = (style_ & fsUnderline) != 0;
    lf.lfStrikeOut = (style_ & fsStrikeOut) != 0;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynA(lf.lfFaceName, name_.c_str(), LF_FACESIZE);
    return gdi::Font(CreateFontIndirectA(&lf));
}

void TFont::Changed() {
    if (OnChange) OnChange();
}

// ---------------------------------------------------------------------------

void TBrush::SetColor(TColor color) {
    color_ = color;
    if (OnChange) OnChange();
}

void TBrush::SetStyle(TBrushStyle style) {
    style_ = style;
    if (OnChange) OnChange();
}

void TPen::SetColor(TColor color) {
    color_ = color;
    if (OnChange) OnChange();
}

void TPen::SetWidth(int width) {
    width_ = width;
    if (OnChange) OnChange();
}

void TPen::SetStyle(TPenStyle style) {
    style_ = style;
    if (OnChange) OnChange();
}

// ---------------------------------------------------------------------------

TCanvas::TCanvas() {
    font_.OnChange = [this] { fontSelected_ = false; };
    brush_.OnChange = [this] { brushSelected_ = false; };
    pen_.OnChange = [this] { penSelected_ = false; };
    font_.SetColor(clBlack);
}

TCanvas::~TCanvas() { SetHandle(nullptr); }

void TCanvas::SetHandle(HDC dc) {
    if (dc == dc_) return;
    selection_.Attach(dc);  // puts back what we selected into the old DC
    dc_ = dc;
    fontSelected_ = brushSelected_ = penSelected_ = false;
}

// Each Require* makes the GDI object for the current description, selects it
// and only then frees the previous one, which is no longer selected.
void TCanvas::RequireFont() {
    if (fontSelected_) return;
    gdi::Font font = font_.Create();
    selection_.Select(font);
    gdiFont_ = std::move(font);
    fontSelected_ = true;
}

void TCanvas::RequireBrush() {
    if (brushSelected_) return;
    gdi::Brush brush(brush_.Style() == bsClear ? static_cast<HBRUSH>(nullptr)
                                               : CreateSolidBrush(ColorToRGB(brush_.Color())));
    selection_.Select(brush ? static_cast<HGDIOBJ>(brush.Get()) : GetStockObject(NULL_BRUSH));
    gdiBrush_ = std::move(brush);
    brushSelected_ = true;
}

void TCanvas::RequirePen() {
    if (penSelected_) return;
    static const int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_NULL};
    gdi::Pen pen(CreatePen(kStyles[pen_.Style()], pen_.Width(), ColorToRGB(pen_.Color())));
    selection_.Select(pen);
    gdiPen_ = std::move(pen);
    penSelected_ = true;
}

void TCanvas::FillRect(const RECT& rect) {
    if (brush_.Style() == bsClear) return;
    gdi::Brush brush(CreateSolidBrush(ColorToRGB(brush_.Color())));
    ::FillRect(dc_, &rect, brush);
}

void TCanvas::FrameRect(const RECT& rect) {
    gdi::Brush brush(CreateSolidBrush(ColorToRGB(brush_.Color())));
    ::FrameRect(dc_, &rect, brush);
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    RequirePen();
    RequireBrush();
    ::Rectangle(dc_, left, top, right, bottom);
}

void TCanvas::MoveTo(int x, int y) { MoveToEx(dc_, x, y, nullptr); }

void TCanvas::LineTo(int x, int y) {
    RequirePen();
    ::LineTo(dc_, x, y);
}

POINT TCanvas::PenPos() const {
    POINT p{};
    GetCurrentPositionEx(dc_, &p);
    return p;
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
    RequireFont();
    SetTextColor(dc_, ColorToRGB(font_.Color()));
    // As a classic canvas does: a solid brush paints behind the text.
    if (brush_.Style() == bsClear) {
        SetBkMode(dc_, TRANSPARENT);
    } else {
        SetBkMode(dc_, OPAQUE);
        SetBkColor(dc_, ColorToRGB(brush_.Color()));
    }
    ::TextOutA(dc_, x, y, text.data(), static_cast<int>(text.size()));
}

SIZE TCanvas::TextExtent(std::string_view text) {
    RequireFont();
    SIZE size{};
    GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size);
    return size;
}

int TCanvas::DrawText(std::string_view text, RECT& rect, UINT flags) {
    RequireFont();
    SetTextColor(dc_, ColorToRGB(font_.Color()));
    if (brush_.Style() == bsClear) {
        SetBkMode(dc_, TRANSPARENT);
    } else {
        SetBkMode(dc_, OPAQUE);
        SetBkColor(dc_, ColorToRGB(brush_.Color()));
    }
    return ::DrawTextA(dc_, text.data(), static_cast<int>(text.size()), &rect, flags);
}

TEXTMETRICA TCanvas::TextMetrics() {
    RequireFont();
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc_, &metrics);
    return metrics;
}

SIZE MeasureText(const TFont& font, std::string_view text, UINT flags, int width) {
    gdi::WindowDC screen(nullptr);
    gdi::Font handle = font.Create();
    gdi::Selection selection(screen);
    selection.Select(handle);
    RECT r{0, 0, width, 0};
    DrawTextA(screen, text.data(), static_cast<int>(text.size()), &r, flags | DT_CALCRECT);
    return {r.right - r.left, r.bottom - r.top};
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect) {
    StretchBlt(dc_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source.Handle(),
               sourceRect.left, sourceRect.top, sourceRect.right - sourceRect.left, sourceRect.bottom - sourceRect.top,
               SRCCOPY);
}

void TCanvas::Draw(int x, int y, TBitmap& bitmap) {
    StretchDraw(RECT{x, y, x + bitmap.Width(), y + bitmap.Height()}, bitmap);
}

void TCanvas::StretchDraw(const RECT& dest, TBitmap& bitmap) {
    if (bitmap.Empty()) return;
    int w = dest.right - dest.left, h = dest.bottom - dest.top;
    HDC source = bitmap.Canvas().Handle();
    if (bitmap.Transparent()) {
        TransparentBlt(dc_, dest.left, dest.top, w, h, source, 0, 0, bitmap.Width(), bitmap.Height(),
                       ColorToRGB(bitmap.TransparentColor()));
    } else {
        SetStretchBltMode(dc_, COLORONCOLOR);
        StretchBlt(dc_, dest.left, dest.top, w, h, source, 0, 0, bitmap.Width(), bitmap.Height(), SRCCOPY);
    }
}

void TCanvas::DrawTransparent(int x, int y, TBitmap& bitmap, const RECT& source, TColor transparent) {
    if (bitmap.Empty()) return;
    RECT part;
    RECT whole{0, 0, bitmap.Width(), bitmap.Height()};
    if (!IntersectRect(&part, &source, &whole)) return;
    if (transparent == clNone) transparent = bitmap.Canvas().Pixel(0, 0);
    int w = part.right - part.left, h = part.bottom - part.top;
    x += part.left - source.left;
    y += part.top - source.top;
    TransparentBlt(dc_, x, y, w, h, bitmap.Canvas().Handle(), part.left, part.top, w, h, ColorToRGB(transparent));
}

TColor TCanvas::Pixel(int x, int y) const { return static_cast<TColor>(GetPixel(dc_, x, y)); }

void TCanvas::SetPixel(int x, int y, TColor color) { ::SetPixel(dc_, x, y, ColorToRGB(color)); }

// ---------------------------------------------------------------------------

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
    canvas_.reset();
    selection_.reset();  // deselect before the bitmap and the DC go
}

void TBitmap::SetSize(int width, int height) {
    if (width < 0 || height < 0) throw std::invalid_argument("dimensiune negativa de imagine");
    auto cannotCreate = [&] {
        return std::runtime_error("nu pot crea o imagine de " + std::to_string(width) + " x " + std::to_string(height));
    };
    // A 32-bit program can never map an image of 2 GB or more: refuse one in
    // every build, so that the 64-bit test build fails where the shipped
    // program does, instead of filling gigabytes for a control no screen shows.
    constexpr std::uint64_t kLargestImageBytes = 0x7FFFFFFF;
    if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * 4 > kLargestImageBytes)
        throw cannotCreate();
    if (canvas_) canvas_->SetHandle(nullptr);
    selection_.reset();
    bitmap_.Reset();
    bits_ = nullptr;
    width_ = width;
    height_ = height;
    if (!Empty()) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top-down: row 0 first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!bitmap_) throw cannotCreate();
        bits_ = static_cast<std::uint32_t*>(bits);
        std::memset(bits_, 0xFF, static_cast<size_t>(width) * height * 4);
    }
    Canvas();
    Changed();
}

TCanvas& TBitmap::Canvas() {
    if (!dc_) dc_ = std::make_unique<gdi::MemoryDC>();
    if (!canvas_) canvas_ = std::make_unique<TCanvas>();
    if (bitmap_ && !selection_) {
        selection_ = std::make_unique<gdi::Selection>(*dc_);
        selection_->Select(bitmap_);
    }
    canvas_->SetHandle(*dc_);
    return *canvas_;
}

std::uint32_t* TBitmap::ScanLine(int y) {
    if (y < 0 || y >= height_) throw std::out_of_range("TBitmap::ScanLine");
    GdiFlush();
    return bits_ + static_cast<size_t>(y) * width_;
}

void TBitmap::SetTransparent(bool transparent) {
    transparent_ = transparent;
    Changed();
}

TColor TBitmap::TransparentColor() const {
    if (transparentColor_ != clNone || Empty()) return transparentColor_;
    GdiFlush();
    std::uint32_t p = bits_[0];  // 0x00RRGGBB
    return RGBColor((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void TBitmap::SetTransparentColor(TColor color) {
    transparentColor_ = color;
    Changed();
}

void TBitmap::Assign(const TBitmap& other) {
    if (&other == this) return;
    SetSize(other.width_, other.height_);
    if (!Empty()) {
        GdiFlush();
        std::memcpy(bits_, other.bits_, static_cast<size_t>(width_) * height_ * 4);
    }
    transparent_ = other.transparent_;
    transparentColor_ = other.transparentColor_;
    Changed();
}

void TBitmap::LoadFromMemory(const void* data, size_t size) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    BITMAPFILEHEADER file;
    if (size < sizeof(file) + sizeof(BITMAPINFOHEADER)) throw std::runtime_error("imagine .bmp prea scurta");
    std::memcpy(&file, bytes, sizeof(file));
    if (file.bfType != 0x4D42) throw std::runtime_error("nu este o imagine .bmp");
    if (file.bfOffBits >= size || file.bfOffBits < sizeof(file) + sizeof(BITMAPINFOHEADER))
        throw std::runtime_error("imagine .bmp stricata");
    LoadFromInfo(reinterpret_cast<const BITMAPINFOHEADER*>(bytes + sizeof(file)), file.bfOffBits - sizeof(file),
                 bytes + file.bfOffBits, size - file.bfOffBits);
}

// Checks the header against the bytes actually present, so that a damaged
// file is refused instead of read past its end.
void TBitmap::LoadFromInfo(const BITMAPINFOHEADER* header, size_t available, const void* bits, size_t bitsSize) {
    BITMAPINFOHEADER h;
    std::memcpy(&h, header, sizeof(h));
    const bool knownDepth = h.biBitCount == 1 || h.biBitCount == 4 || h.biBitCount == 8 || h.biBitCount == 16 ||
                            h.biBitCount == 24 || h.biBitCount == 32;
    if (h.biSize < sizeof(h) || h.biWidth <= 0 || h.biHeight == 0 || h.biWidth > 16384 || h.biHeight > 16384 ||
        h.biHeight < -16384 || !knownDepth || (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS))
        throw std::runtime_error("format .bmp necunoscut");
    size_t paletteEntries = h.biClrUsed ? h.biClrUsed : (h.biBitCount <= 8 ? (1u << h.biBitCount) : 0);
    size_t masks = (h.biCompression == BI_BITFIELDS && h.biSize == sizeof(h)) ? 12 : 0;
    if (h.biSize + masks + paletteEntries * 4 > available) throw std::runtime_error("imagine .bmp stricata");
    int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    size_t stride = ((static_cast<size_t>(h.biWidth) * h.biBitCount + 31) / 32) * 4;
    if (stride * height > bitsSize) throw std::runtime_error("imagine .bmp trunchiata");
    SetSize(h.biWidth, height);
    StretchDIBits(Canvas().Handle(), 0, 0, h.biWidth, height, 0, 0, h.biWidth, height, bits,
                  reinterpret_cast<const BITMAPINFO*>(header), DIB_RGB_COLORS, SRCCOPY);
    GdiFlush();
    Changed();
}

void TBitmap::LoadFromFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("nu pot deschide imaginea " + path);
    std::vector<char> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LoadFromMemory(data.data(), data.size());
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
    HRSRC resource = FindResourceA(instance, name.c_str(), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    HGLOBAL loaded = resource ? LoadResource(instance, resource) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) throw std::runtime_error("lipseste imaginea " + name + " din resursele programului");
    size_t size = SizeofResource(instance, resource);
    if (size < sizeof(BITMAPINFOHEADER)) throw std::runtime_error("imaginea " + name + " este stricata");
    const auto* header = static_cast<const BITMAPINFOHEADER*>(data);
    size_t paletteEntries =
        header->biClrUsed ? header->biClrUsed : (header->biBitCount <= 8 ? (1u << header->biBitCount) : 0);
    size_t masks = (header->biCompression == BI_BITFIELDS && header->biSize == sizeof(BITMAPINFOHEADER)) ? 12 : 0;
    size_t offset = header->biSize + masks + paletteEntries * 4;
    if (offset > size) throw std::runtime_error("imaginea " + name + " este stricata");
    LoadFromInfo(header, offset, static_cast<const std::uint8_t*>(data) + offset, size - offset);
}

// Written as 24 bits per pixel: the fourth byte of our pixels is not an
// alpha channel, and viewers that take it for one would show nothing.
void TBitmap::SaveToFile(const std::string& path) {
    size_t stride = (static_cast<size_t>(width_) * 3 + 3) & ~static_cast<size_t>(3);
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width_;
    info.biHeight = -height_;  // top-down, as held
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = static_cast<DWORD>(file.bfOffBits + stride * height_);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    std::vector<char> row(stride, 0);
    for (int y = 0; y < height_; ++y) {
        const std::uint32_t* pixels = ScanLine(y);
        for (int x = 0; x < width_; ++x) std::memcpy(&row[static_cast<size_t>(x) * 3], &pixels[x], 3);
        out.write(row.data(), static_cast<std::streamsize>(stride));
    }
    if (!out) throw std::runtime_error("nu pot scrie imaginea " + path);
}

void TBitmap::Changed() {
    if (OnChange) OnChange();
}

void LoadBitmapValue(TBitmap& bitmap, const PropValue& value) {
    if (value.kind == PropValue::Kind::String)
        bitmap.LoadFromResourceName(GetModuleHandleA(nullptr), value.text);
    else if (value.kind == PropValue::Kind::Binary)
        bitmap.LoadFromMemory(value.bytes.data(), value.bytes.size());
    else
        throw std::runtime_error("o imagine se da ca nume de resursa '...' sau ca date {...}");
}
