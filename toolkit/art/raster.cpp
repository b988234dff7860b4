#include "toolkit/art/raster.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <numbers>

namespace art {

namespace {

float Length(V v) { return std::sqrt(v.x * v.x + v.y * v.y); }
V Minus(V a, V b) { return {a.x - b.x, a.y - b.y}; }
float Dot(V a, V b) { return a.x * b.x + a.y * b.y; }

float SegmentDistance(V p, V a, V b) {
    V pa = Minus(p, a), ba = Minus(b, a);
    float len = Dot(ba, ba);
    float t = len > 0 ? std::clamp(Dot(pa, ba) / len, 0.0f, 1.0f) : 0.0f;
    return Length({pa.x - ba.x * t, pa.y - ba.y * t});
}

float Mix(float a, float b, float t) { return a + (b - a) * t; }

}  // namespace

Sdf Circle(V centre, float radius) {
    return [=](V p) { return Length(Minus(p, centre)) - radius; };
}

Sdf Box(float left, float top, float right, float bottom, float radius) {
    V centre{(left + right) / 2, (top + bottom) / 2};
    V half{(right - left) / 2 - radius, (bottom - top) / 2 - radius};
    return [=](V p) {
        V d{std::abs(p.x - centre.x) - half.x, std::abs(p.y - centre.y) - half.y};
        V outside{std::max(d.x, 0.0f), std::max(d.y, 0.0f)};
        return Length(outside) + std::min(std::max(d.x, d.y), 0.0f) - radius;
    };
}

Sdf Segment(V a, V b, float width) {
    return [=](V p) { return SegmentDistance(p, a, b) - width / 2; };
}

Sdf Polyline(std::vector<V> points, float width) {
    return [points = std::move(points), width](V p) {
        float best = 1e9f;
        for (size_t i = 1; i < points.size(); ++i) best = std::min(best, SegmentDistance(p, points[i - 1], points[i]));
        return best - width / 2;
    };
}

Sdf Polygon(std::vector<V> points) {
    return [points = std::move(points)](V p) {
        float best = 1e9f;
        bool inside = false;
        for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            V a = points[i], b = points[j];
            best = std::min(best, SegmentDistance(p, a, b));
            if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) inside = !inside;
        }
        return inside ? -best : best;
    };
}

Sdf Arc(V centre, float radius, float from, float to, float width) {
    auto rad = [](float degrees) { return degrees * std::numbers::pi_v<float> / 180; };
    V start{centre.x + radius * std::cos(rad(from)), centre.y - radius * std::sin(rad(from))};
    V end{centre.x + radius * std::cos(rad(to)), centre.y - radius * std::sin(rad(to))};
    return [=](V p) {
        V d = Minus(p, centre);
        float angle = std::atan2(-d.y, d.x) * 180 / std::numbers::pi_v<float>;
        while (angle < from) angle += 360;
        if (angle <= to) return std::abs(Length(d) - radius) - width / 2;
        return std::min(Length(Minus(p, start)), Length(Minus(p, end))) - width / 2;
    };
}

Sdf Union(Sdf a, Sdf b) {
    return [=](V p) { return std::min(a(p), b(p)); };
}

Sdf Cut(Sdf shape, Sdf hole) {
    return [=](V p) { return std::max(shape(p), -hole(p)); };
}

Sdf Ring(Sdf shape, float width) {
    return [=](V p) { return std::abs(shape(p)) - width / 2; };
}

Sdf Moved(Sdf shape, float dx, float dy) {
    return [=](V p) { return shape({p.x - dx, p.y - dy}); };
}

Rgb Fill::At(float y) const {
    float t = y1 > y0 ? std::clamp((y - y0) / (y1 - y0), 0.0f, 1.0f) : 0.0f;
    return {Mix(top.r, bottom.r, t), Mix(top.g, bottom.g, t), Mix(top.b, bottom.b, t)};
}

Image::Image(int width, int height, Rgb background)
    : width_(width),
      height_(height),
      pixels_(static_cast<size_t>(width * height), background),
      coverage_(static_cast<size_t>(width * height), 0.0f) {}

void Image::Paint(const Sdf& shape, const Fill& fill, float opacity) {
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            V centre{x + 0.5f, y + 0.5f};
            float cover = std::clamp(0.5f - shape(centre), 0.0f, 1.0f) * opacity;
            if (cover <= 0) continue;
            Rgb colour = fill.At(centre.y);
            Rgb& pixel = At(x, y);
            pixel = {Mix(pixel.r, colour.r, cover), Mix(pixel.g, colour.g, cover), Mix(pixel.b, colour.b, cover)};
            float& covered = Coverage(x, y);
            covered = covered + cover * (1 - covered);
        }
}

void Image::Shape(const Sdf& shape, const Fill& fill, Rgb outline) {
    Paint(shape, outline);
    Paint([shape](V p) { return shape(p) + 1; }, fill);
}

void Image::Place(const Image& source, int x, int y) {
    for (int sy = 0; sy < source.height_; ++sy)
        for (int sx = 0; sx < source.width_; ++sx) {
            int tx = x + sx, ty = y + sy;
            if (tx < 0 || ty < 0 || tx >= width_ || ty >= height_) continue;
            At(tx, ty) = source.At(sx, sy);
            Coverage(tx, ty) = source.Coverage(sx, sy);
        }
}

std::vector<std::uint8_t> EncodeBmp(const Image& image, bool keyed, Rgb key) {
    const int w = image.Width(), h = image.Height();
    const int stride = (w * 3 + 3) / 4 * 4;
    const std::uint32_t dataSize = static_cast<std::uint32_t>(stride * h);
    std::vector<std::uint8_t> out;
    auto put16 = [&](std::uint32_t v) {
        out.push_back(v & 0xFF);
        out.push_back((v >> 8) & 0xFF);
    };
    auto put32 = [&](std::uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    out.push_back('B');
    out.push_back('M');
    put32(54 + dataSize);
    put32(0);
    put32(54);
    put32(40);  // BITMAPINFOHEADER
    put32(static_cast<std::uint32_t>(w));
    put32(static_cast<std::uint32_t>(h));  // positive: rows bottom-up
    put16(1);
    put16(24);
    put32(0);  // BI_RGB
    put32(dataSize);
    put32(3780);  // 96 pixels per inch
    put32(3780);
    put32(0);
    put32(0);
    auto channel = [](float v) { return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L)); };
    // What is covered less than this is background: a trace of anti-aliasing
    // would otherwise leave a ring of near-background pixels that are not the key.
    constexpr float kKeyBelow = 0.06f;
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            Rgb c = keyed && image.Coverage(x, y) < kKeyBelow ? key : image.At(x, y);
            out.push_back(channel(c.b));
            out.push_back(channel(c.g));
            out.push_back(channel(c.r));
        }
        for (int pad = w * 3; pad < stride; ++pad) out.push_back(0);
    }
    return out;
}

namespace {

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

int WriteOrCheckArt(const char* tool, int argc, char** argv, const ArtFiles& files) {
    const bool check = argc == 3 && std::strcmp(argv[1], "--check") == 0;
    if (argc != 2 && !check) {
        std::fprintf(stderr, "usage: %s [--check] DIR\n", tool);
        return 2;
    }
    const std::string dir = argv[argc - 1];
    int differences = 0;
    for (const auto& [name, bytes] : files) {
        const std::string path = dir + "/" + name;
        if (check) {
            if (ReadFile(path) == bytes) continue;
            std::fprintf(stderr, "%s: %s differs from what its source makes\n", tool, path.c_str());
            ++differences;
        } else if (!WriteFile(path, bytes)) {
            std::fprintf(stderr, "%s: cannot write %s\n", tool, path.c_str());
            return 1;
        }
    }
    return differences == 0 ? 0 : 1;
}

}  // namespace art
