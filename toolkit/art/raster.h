// A small anti-aliased painter for the toolkit's artwork: shapes are signed
// distance functions (negative inside, in pixels), so that one sample per
// pixel gives smooth edges, outlines are the same shape eroded by a pixel, and
// rings and unions are one line each. Host tool only: the installer never
// draws with it, it loads the pictures this makes.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace art {

struct Rgb {
    float r = 0, g = 0, b = 0;
};
constexpr Rgb Hex(std::uint32_t rgb) {
    return {static_cast<float>((rgb >> 16) & 0xFF), static_cast<float>((rgb >> 8) & 0xFF),
            static_cast<float>(rgb & 0xFF)};
}

struct V {
    float x = 0, y = 0;
};

using Sdf = std::function<float(V)>;

Sdf Circle(V centre, float radius);
Sdf Box(float left, float top, float right, float bottom, float radius = 0);
Sdf Segment(V a, V b, float width);                // a stroke with round ends
Sdf Polyline(std::vector<V> points, float width);  // joined strokes
Sdf Polygon(std::vector<V> points);
// A stroke along the circle from angle `from` to `to` (degrees, counter-
// clockwise from three o'clock, y pointing down the screen).
Sdf Arc(V centre, float radius, float from, float to, float width);
Sdf Union(Sdf a, Sdf b);
Sdf Cut(Sdf shape, Sdf hole);
Sdf Ring(Sdf shape, float width);  // the band of `width` along the outline
Sdf Moved(Sdf shape, float dx, float dy);

// A vertical gradient from `top` at y0 to `bottom` at y1; solid when equal.
struct Fill {
    Rgb top, bottom;
    float y0 = 0, y1 = 1;
    Fill(Rgb solid) : top(solid), bottom(solid) {}  // NOLINT: a colour is a fill
    Fill(Rgb t, Rgb b, float from, float to) : top(t), bottom(b), y0(from), y1(to) {}
    Rgb At(float y) const;
};

// Colours composed over a background, with the coverage of what was painted
// kept per pixel so that untouched pixels can become the transparent key.
class Image {
public:
    Image(int width, int height, Rgb background);
    int Width() const { return width_; }
    int Height() const { return height_; }

    void Paint(const Sdf& shape, const Fill& fill, float opacity = 1);
    // The shape filled, with a one-pixel line of `outline` inside its edge.
    void Shape(const Sdf& shape, const Fill& fill, Rgb outline);

    Rgb& At(int x, int y) { return pixels_[static_cast<size_t>(y * width_ + x)]; }
    float& Coverage(int x, int y) { return coverage_[static_cast<size_t>(y * width_ + x)]; }
    const Rgb& At(int x, int y) const { return pixels_[static_cast<size_t>(y * width_ + x)]; }
    float Coverage(int x, int y) const { return coverage_[static_cast<size_t>(y * width_ + x)]; }

    // Copies `source` with its top-left corner at (x, y), coverage included.
    void Place(const Image& source, int x, int y);

private:
    int width_, height_;
    std::vector<Rgb> pixels_;
    std::vector<float> coverage_;
};

// The picture as the bytes of a 24-bit .bmp file; pixels nothing covered take
// `key` when `keyed`.
std::vector<std::uint8_t> EncodeBmp(const Image& image, bool keyed, Rgb key);

// The generated files by name, as their bytes.
using ArtFiles = std::map<std::string, std::vector<std::uint8_t>>;

// The command line of every art generator: "DIR" writes the files there,
// "--check DIR" compares them with what is there and names each that
// differs. Answers the process exit code.
int WriteOrCheckArt(const char* tool, int argc, char** argv, const ArtFiles& files);

}  // namespace art
