// Makes the pictures of the glyph holder: every glyph strip, dialog icon, face
// and image as a 24-bit .bmp, and the description TMesaj.kfd that names them.
//
//   glyph_art DIR          writes the pictures and the description into DIR
//   glyph_art --check DIR  exits 1 when DIR differs from what would be written
//
// Glyph strips hold three frames side by side: up, disabled (drawn from the
// up frame's shape), down (the up frame one pixel right and down). Pixels the
// artwork does not cover take the key colour, so the top-left pixel names the
// transparent colour as everywhere in the toolkit; edges are blended toward
// the toolkit's button-face grey, on which the pictures are shown.
#include "toolkit/art/raster.h"

#include <cmath>
#include <map>
#include <numbers>
#include <string>
#include <vector>

using namespace art;

namespace {

const Rgb kFace = Hex(0xD4D0C8);
const Rgb kKey = Hex(0xFF00FF);
const Rgb kWhite = Hex(0xFFFFFF);

// One colour family per meaning: fill from light to deep, and its outline.
struct Tone {
    Rgb light, deep, line;
    Fill Over(float y0, float y1) const { return Fill(light, deep, y0, y1); }
};
const Tone kGreen{Hex(0x8EE06A), Hex(0x2E9A2E), Hex(0x1D641D)};
const Tone kRed{Hex(0xFF8A78), Hex(0xCC2A1C), Hex(0x821811)};
const Tone kBlue{Hex(0x8CC2FA), Hex(0x2462C8), Hex(0x163C84)};
const Tone kNavy{Hex(0x6C8FD8), Hex(0x1A3A8C), Hex(0x0F2260)};
const Tone kYellow{Hex(0xFFEC8C), Hex(0xF2B10A), Hex(0x8C6200)};
const Tone kBrown{Hex(0xE2AE74), Hex(0x9A5A22), Hex(0x5A3210)};
const Tone kSteel{Hex(0xF2F3F5), Hex(0xA3A8B0), Hex(0x50555C)};
const Tone kPaper{Hex(0xFFFFFF), Hex(0xE4E8EE), Hex(0x6A717C)};
const Tone kOrange{Hex(0xFFC27A), Hex(0xE8741A), Hex(0x8A3F08)};
const Tone kPeach{Hex(0xFFD8C2), Hex(0xF0987A), Hex(0x94503A)};
const Tone kTeal{Hex(0x86E2DA), Hex(0x1E9A94), Hex(0x0F5E5A)};
const Tone kPurple{Hex(0xD0A6F0), Hex(0x7A3CB4), Hex(0x48206E)};

// Drawing on a 20-unit grid centred in a frame of any size.
class Pen {
public:
    Pen(Image& image, float width, float height)
        : image_(image), s_(std::min(width, height) / 20), ox_((width - 20 * s_) / 2), oy_((height - 20 * s_) / 2) {}
    V P(float x, float y) const { return {ox_ + x * s_, oy_ + y * s_}; }
    float U(float units) const { return units * s_; }
    float Y(float y) const { return oy_ + y * s_; }
    Sdf Box(float l, float t, float r, float b, float radius = 0) const {
        return art::Box(P(l, t).x, P(l, t).y, P(r, b).x, P(r, b).y, U(radius));
    }
    Sdf Circle(float x, float y, float r) const { return art::Circle(P(x, y), U(r)); }
    Sdf Segment(float x0, float y0, float x1, float y1, float w) const {
        return art::Segment(P(x0, y0), P(x1, y1), U(w));
    }
    Sdf Polyline(std::initializer_list<V> points, float w) const { return art::Polyline(Map(points), U(w)); }
    Sdf Polygon(std::initializer_list<V> points) const { return art::Polygon(Map(points)); }
    Sdf Arc(float x, float y, float r, float from, float to, float w) const {
        return art::Arc(P(x, y), U(r), from, to, U(w));
    }

    void Shape(const Sdf& shape, const Tone& tone, float y0 = 2, float y1 = 18) {
        image_.Shape(shape, tone.Over(Y(y0), Y(y1)), tone.line);
    }
    void Paint(const Sdf& shape, Rgb colour, float opacity = 1) { image_.Paint(shape, Fill(colour), opacity); }

private:
    std::vector<V> Map(std::initializer_list<V> points) const {
        std::vector<V> mapped;
        for (V p : points) mapped.push_back(P(p.x, p.y));
        return mapped;
    }
    Image& image_;
    float s_, ox_, oy_;
};

using Draw = void (*)(Pen&);

// ---------------------------------------------------------------------------
// Symbols

void CheckMark(Pen& p, const Tone& tone) { p.Shape(p.Polyline({{4, 10.5f}, {8.2f, 14.8f}, {16, 5.2f}}, 3.8f), tone); }
void CrossMark(Pen& p, const Tone& tone) {
    p.Shape(Union(p.Segment(5, 5, 15, 15, 3.8f), p.Segment(15, 5, 5, 15, 3.8f)), tone);
}
void PlusMark(Pen& p, const Tone& tone) {
    p.Shape(Union(p.Box(8, 3.5f, 12, 16.5f, 1), p.Box(3.5f, 8, 16.5f, 12, 1)), tone);
}
void MinusMark(Pen& p, const Tone& tone) { p.Shape(p.Box(3.5f, 8, 16.5f, 12, 1), tone); }
void ArrowRight(Pen& p, const Tone& tone) {
    p.Shape(p.Polygon({{2.5f, 7.5f}, {10, 7.5f}, {10, 3}, {17.5f, 10}, {10, 17}, {10, 12.5f}, {2.5f, 12.5f}}), tone);
}
void ArrowLeft(Pen& p, const Tone& tone) {
    p.Shape(p.Polygon({{17.5f, 7.5f}, {10, 7.5f}, {10, 3}, {2.5f, 10}, {10, 17}, {10, 12.5f}, {17.5f, 12.5f}}), tone);
}
void TriangleRight(Pen& p, const Tone& tone, float shift = 0) {
    p.Shape(p.Polygon({{6 + shift, 3.5f}, {15.5f + shift, 10}, {6 + shift, 16.5f}}), tone);
}
void TriangleLeft(Pen& p, const Tone& tone, float shift = 0) {
    p.Shape(p.Polygon({{14 + shift, 3.5f}, {4.5f + shift, 10}, {14 + shift, 16.5f}}), tone);
}
void Page(Pen& p, const Tone& lines) {
    p.Shape(p.Polygon({{4, 1.5f}, {12.5f, 1.5f}, {16.5f, 5.5f}, {16.5f, 18.5f}, {4, 18.5f}}), kPaper);
    p.Shape(p.Polygon({{12, 1.8f}, {16.2f, 6}, {12, 6}}), kSteel);
    for (float y : {8.5f, 11.5f, 14.5f}) p.Paint(p.Segment(6.5f, y, 14, y, 1.2f), lines.deep);
}
void Disk(Pen& p, const Tone& tone) {
    p.Shape(p.Box(2.5f, 2.5f, 17.5f, 17.5f, 1.5f), tone);
    p.Shape(p.Box(5.5f, 2.5f, 14.5f, 8, 0.5f), kSteel);
    p.Paint(p.Box(11, 3.5f, 13, 7), tone.line);
    p.Shape(p.Box(5, 10.5f, 15, 17.5f, 0.5f), kPaper);
}
void Printer(Pen& p) {
    p.Shape(p.Box(5.5f, 2, 14.5f, 9), kPaper);
    p.Shape(p.Box(2, 7.5f, 18, 15, 2), kSteel);
    p.Shape(p.Box(5.5f, 12.5f, 14.5f, 18.5f), kPaper);
    p.Paint(p.Circle(15.3f, 10, 0.9f), kGreen.deep);
}
void Magnifier(Pen& p, const Tone& handle) {
    p.Shape(p.Segment(12.5f, 12.5f, 17, 17, 3.4f), handle, 12, 18);
    p.Paint(p.Circle(8.5f, 8.5f, 5.2f), Hex(0xCDE6FF), 0.85f);
    p.Shape(Ring(p.Circle(8.5f, 8.5f, 5.2f), p.U(2.4f)), kSteel);
    p.Paint(p.Arc(8.5f, 8.5f, 3, 100, 160, 1.2f), kWhite);
}
void Envelope(Pen& p) {
    p.Shape(p.Box(2, 4.5f, 18, 15.5f, 1), kPaper);
    p.Paint(p.Polyline({{2.8f, 5.5f}, {10, 11}, {17.2f, 5.5f}}, 1.3f), kPaper.line);
}
void Gear(Pen& p, const Tone& tone) {
    Sdf teeth = p.Circle(10, 10, 5.6f);
    for (int i = 0; i < 4; ++i) {
        float a = i * std::numbers::pi_v<float> / 4;
        float dx = 7.6f * std::cos(a), dy = 7.6f * std::sin(a);
        teeth = Union(teeth, p.Segment(10 - dx, 10 - dy, 10 + dx, 10 + dy, 2.8f));
    }
    p.Shape(Cut(teeth, p.Circle(10, 10, 2.3f)), tone);
}
void Bars(Pen& p, std::initializer_list<float> heights) {
    const Tone* tones[] = {&kBlue, &kGreen, &kRed, &kYellow};
    float x = 3;
    int i = 0;
    for (float h : heights) {
        p.Shape(p.Box(x, 17 - h, x + 4, 17, 0.5f), *tones[i++ % 4], 17 - h, 17);
        x += 4.8f;
    }
    p.Paint(p.Segment(1.5f, 17.8f, 18.5f, 17.8f, 1.2f), kSteel.line);
}
void Coins(Pen& p, const Tone& tone) {
    for (V c : {V{6.5f, 13}, V{13.5f, 13}, V{10, 7}}) {
        p.Shape(p.Circle(c.x, c.y, 4.8f), tone, c.y - 4, c.y + 4);
        p.Paint(Ring(p.Circle(c.x, c.y, 2.6f), p.U(0.9f)), tone.line, 0.6f);
    }
}
void Crate(Pen& p) {
    p.Shape(p.Polygon({{3, 7}, {13, 7}, {13, 17.5f}, {3, 17.5f}}), kBrown, 7, 17.5f);
    p.Shape(p.Polygon({{3, 7}, {7, 3}, {17, 3}, {13, 7}}), {Hex(0xF0C896), Hex(0xD8A066), kBrown.line});
    p.Shape(p.Polygon({{13, 7}, {17, 3}, {17, 13.5f}, {13, 17.5f}}), {Hex(0xB87A3E), Hex(0x84501E), kBrown.line});
    p.Paint(p.Segment(8, 8.5f, 8, 16.5f, 1), kBrown.line, 0.5f);
}
void Door(Pen& p, float x0, const Tone& arrow) {
    p.Shape(p.Box(x0, 2, x0 + 9, 18, 0.5f), kBrown);
    p.Paint(p.Box(x0 + 1.5f, 3.5f, x0 + 7.5f, 16.5f), kBrown.line, 0.35f);
    p.Paint(p.Circle(x0 + 6.3f, 10.5f, 0.9f), kYellow.deep);
    p.Shape(p.Polygon({{x0 + 7, 8.3f},
                       {x0 + 11.5f, 8.3f},
                       {x0 + 11.5f, 5.5f},
                       {x0 + 16.5f, 10},
                       {x0 + 11.5f, 14.5f},
                       {x0 + 11.5f, 11.7f},
                       {x0 + 7, 11.7f}}),
            arrow, 6, 14);
}
void Pencil(Pen& p) {
    p.Shape(p.Polygon({{13, 2.5f}, {17.5f, 7}, {7, 17.5f}, {2.5f, 13}}), kYellow);
    p.Shape(p.Polygon({{2.5f, 13}, {7, 17.5f}, {1.8f, 18.2f}}), kPeach, 13, 18);
    p.Shape(p.Polygon({{13, 2.5f}, {17.5f, 7}, {18.5f, 6}, {14, 1.5f}}), kRed);
}
void Book(Pen& p, const Tone& cover) {
    p.Shape(p.Box(5, 3, 17, 18, 0.5f), kPaper);
    p.Shape(p.Box(3, 2, 14.5f, 17, 1), cover);
    p.Paint(p.Segment(5.5f, 2.5f, 5.5f, 16.5f, 1), cover.line, 0.7f);
    p.Paint(p.Box(7.5f, 5, 12.5f, 8), kPaper.light, 0.9f);
}
void Eye(Pen& p) {
    Sdf upper = p.Circle(10, 17, 11), lower = p.Circle(10, 3, 11);
    p.Shape([upper, lower](V q) { return std::max(upper(q), lower(q)); }, kPaper);
    p.Shape(p.Circle(10, 10, 3.6f), kBlue, 6.5f, 13.5f);
    p.Paint(p.Circle(10, 10, 1.6f), Hex(0x101830));
    p.Paint(p.Circle(8.8f, 8.8f, 0.7f), kWhite);
}
void House(Pen& p) {
    p.Shape(p.Box(4, 9, 16, 18), kPaper);
    p.Shape(p.Polygon({{1.5f, 10}, {10, 2}, {18.5f, 10}}), kRed, 2, 10);
    p.Shape(p.Box(8.5f, 12.5f, 11.5f, 18), kBrown);
}
void Banknote(Pen& p) {
    p.Shape(p.Box(1.5f, 5, 18.5f, 15, 1), kGreen, 5, 15);
    p.Shape(p.Circle(10, 10, 3.2f), {Hex(0xD8F5C8), Hex(0x9ED88A), kGreen.line});
    p.Paint(p.Circle(4.5f, 10, 1), kGreen.line, 0.6f);
    p.Paint(p.Circle(15.5f, 10, 1), kGreen.line, 0.6f);
}
void Tray(Pen& p, const Tone& arrow, bool in) {
    p.Shape(p.Polygon({{2, 12}, {6, 12}, {7.5f, 14.5f}, {12.5f, 14.5f}, {14, 12}, {18, 12}, {18, 18.5f}, {2, 18.5f}}),
            kSteel, 12, 18.5f);
    if (in)
        p.Shape(p.Polygon({{8, 1.5f}, {12, 1.5f}, {12, 7}, {15, 7}, {10, 12.5f}, {5, 7}, {8, 7}}), arrow, 1.5f, 12.5f);
    else
        p.Shape(p.Polygon({{8, 12}, {12, 12}, {12, 7}, {15, 7}, {10, 1.5f}, {5, 7}, {8, 7}}), arrow, 1.5f, 12);
}
void Emblem(Pen& p, const Tone& tone) {
    p.Shape(p.Box(2, 2, 18, 18, 3.5f), tone);
    p.Paint(p.Segment(7, 5.5f, 7, 14.5f, 2.4f), kWhite);
    p.Paint(p.Polyline({{13.5f, 5.5f}, {8, 10}, {13.5f, 14.5f}}, 2.4f), kWhite);
}
void QuestionMark(Pen& p, Rgb colour, float x = 10, float y = 10, float k = 1) {
    p.Paint(p.Arc(x, y - 3 * k, 3.3f * k, -55, 195, 2.6f * k), colour);
    p.Paint(p.Polyline({{x + 1.9f * k, y - 0.3f * k}, {x, y + 1.2f * k}, {x, y + 2.6f * k}}, 2.6f * k), colour);
    p.Paint(p.Circle(x, y + 5.6f * k, 1.5f * k), colour);
}
void Prohibition(Pen& p) {
    p.Paint(p.Circle(10, 10, 8), kWhite);
    p.Shape(Ring(p.Circle(10, 10, 6.7f), p.U(2.8f)), kRed);
    p.Shape(p.Segment(5.4f, 14.6f, 14.6f, 5.4f, 2.8f), kRed);
}
void LinesMark(Pen& p) {
    for (float y : {5.f, 10.f, 15.f}) p.Shape(p.Box(3, y - 1.3f, 17, y + 1.3f, 1), kNavy, y - 1.3f, y + 1.3f);
}

// ---------------------------------------------------------------------------
// Button glyphs (three-frame strips)

struct Glyph {
    const char* name;
    int frameWidth, frameHeight;
    Draw draw;
};

const Glyph kGlyphs[] = {
    {"OK", 28, 28, [](Pen& p) { CheckMark(p, kGreen); }},
    {"Cancel", 25, 28, [](Pen& p) { CrossMark(p, kRed); }},
    {"Nu", 30, 30,
     [](Pen& p) {
         p.Shape(p.Circle(10, 10, 8), kRed);
         p.Paint(Union(p.Segment(7, 7, 13, 13, 2.4f), p.Segment(13, 7, 7, 13, 2.4f)), kWhite);
     }},
    {"Exit", 20, 30, [](Pen& p) { Door(p, 1.5f, kGreen); }},
    {"Retry", 29, 30,
     [](Pen& p) {
         p.Shape(p.Arc(10, 10, 5.8f, 40, 320, 3), kBlue);
         float a = 40 * std::numbers::pi_v<float> / 180;
         V at{10 + 5.8f * std::cos(a), 10 - 5.8f * std::sin(a)};
         V along{std::sin(a), std::cos(a)}, out{std::cos(a), -std::sin(a)};
         p.Shape(p.Polygon({{at.x - 0.8f * along.x + 3.6f * out.x, at.y - 0.8f * along.y + 3.6f * out.y},
                            {at.x + 4.2f * along.x, at.y + 4.2f * along.y},
                            {at.x - 0.8f * along.x - 3.6f * out.x, at.y - 0.8f * along.y - 3.6f * out.y}}),
                 kBlue);
     }},
    {"Help", 20, 30,
     [](Pen& p) {
         p.Shape(p.Circle(10, 10, 8.5f), kBlue);
         QuestionMark(p, kWhite, 10, 9.6f, 0.9f);
     }},
    {"Image1", 27, 31,
     [](Pen& p) {
         for (float d : {4.f, 2.f, 0.f}) {
             p.Shape(p.Box(3 + d, 5 - d, 13 + d, 18 - d, 0.5f), kPaper);
             p.Paint(p.Segment(5 + d, 9 - d, 11 + d, 9 - d, 1), kBlue.deep, 0.6f);
         }
         CheckMark(p, kGreen);
     }},
    {"Avansat", 29, 28,
     [](Pen& p) {
         TriangleRight(p, kGreen, -3.5f);
         TriangleRight(p, kGreen, 3);
     }},
    {"PrnSetup", 30, 30, [](Pen& p) { Printer(p); }},
    {"Precedent", 24, 24, [](Pen& p) { ArrowLeft(p, kBlue); }},
    {"Urmator", 24, 24, [](Pen& p) { ArrowRight(p, kBlue); }},
    {"UrmatorBlue", 20, 20, [](Pen& p) { ArrowRight(p, kNavy); }},
    {"nPrev", 20, 20, [](Pen& p) { TriangleLeft(p, kBlue); }},
    {"nNext", 20, 20, [](Pen& p) { TriangleRight(p, kBlue); }},
    {"nFirst", 20, 20,
     [](Pen& p) {
         p.Shape(p.Box(3, 3.5f, 6, 16.5f, 0.5f), kBlue);
         TriangleLeft(p, kBlue, 2.5f);
     }},
    {"nLast", 20, 20,
     [](Pen& p) {
         p.Shape(p.Box(14, 3.5f, 17, 16.5f, 0.5f), kBlue);
         TriangleRight(p, kBlue, -2.5f);
     }},
    {"FirstPag", 20, 20,
     [](Pen& p) {
         p.Shape(p.Box(3, 3.5f, 6, 16.5f, 0.5f), kNavy);
         TriangleLeft(p, kNavy, 2.5f);
     }},
    {"LastPag", 20, 20,
     [](Pen& p) {
         p.Shape(p.Box(14, 3.5f, 17, 16.5f, 0.5f), kNavy);
         TriangleRight(p, kNavy, -2.5f);
     }},
    {"PrevPag", 20, 20, [](Pen& p) { TriangleLeft(p, kNavy); }},
    {"NextPag", 20, 20, [](Pen& p) { TriangleRight(p, kNavy); }},
    {"Buget", 20, 20, [](Pen& p) { Coins(p, kYellow); }},
    {"Add", 20, 20, [](Pen& p) { PlusMark(p, kGreen); }},
    {"Delete", 20, 20, [](Pen& p) { CrossMark(p, kRed); }},
    {"Jurnal", 20, 20, [](Pen& p) { Book(p, kBrown); }},
    {"Vizual", 20, 20, [](Pen& p) { Eye(p); }},
    {"Print", 20, 20, [](Pen& p) { Printer(p); }},
    {"Edit", 20, 20, [](Pen& p) { Pencil(p); }},
    {"Analitic", 20, 20,
     [](Pen& p) {
         Bars(p, {7, 12, 9});
     }},
    {"Detalii", 20, 20, [](Pen& p) { Page(p, kBlue); }},
    {"Korven", 20, 20, [](Pen& p) { Emblem(p, kNavy); }},
    {"Save", 20, 20, [](Pen& p) { Disk(p, kBlue); }},
    {"SaveAs", 20, 20, [](Pen& p) { Disk(p, kPurple); }},
    {"Plus", 20, 20, [](Pen& p) { PlusMark(p, kBlue); }},
    {"BUnelte", 20, 20, [](Pen& p) { Gear(p, kSteel); }},
    {"Config", 20, 20, [](Pen& p) { Gear(p, kBlue); }},
    {"Stoc", 20, 20, [](Pen& p) { Crate(p); }},
    {"Sold", 20, 20, [](Pen& p) { Coins(p, kGreen); }},
    {"BIntr", 20, 20, [](Pen& p) { Tray(p, kGreen, true); }},
    {"BSediu", 20, 20, [](Pen& p) { House(p); }},
    {"BIes", 20, 20, [](Pen& p) { Tray(p, kRed, false); }},
    {"BBani", 20, 20, [](Pen& p) { Banknote(p); }},
    {"Mail", 20, 20, [](Pen& p) { Envelope(p); }},
    {"BigExit", 20, 20, [](Pen& p) { Door(p, 1.5f, kRed); }},
    {"PlusAdd", 20, 20, [](Pen& p) { PlusMark(p, kGreen); }},
    {"PlusBlue", 20, 20, [](Pen& p) { PlusMark(p, kNavy); }},
    {"PlusPorto", 20, 20, [](Pen& p) { PlusMark(p, kOrange); }},
    {"PlusPeach", 20, 20, [](Pen& p) { PlusMark(p, kPeach); }},
    {"PlusSnorkel", 20, 20, [](Pen& p) { PlusMark(p, kTeal); }},
    {"MinusDel", 20, 20, [](Pen& p) { MinusMark(p, kRed); }},
    {"Find", 20, 20, [](Pen& p) { Magnifier(p, kBrown); }},
    {"FindNext", 20, 20,
     [](Pen& p) {
         Magnifier(p, kBrown);
         p.Shape(p.Polygon({{13, 1.5f}, {19, 5}, {13, 8.5f}}), kGreen, 1.5f, 8.5f);
     }},
    {"Grafic", 20, 20,
     [](Pen& p) {
         Bars(p, {5, 9, 13});
     }},
    {"Contract", 20, 20,
     [](Pen& p) {
         Page(p, kSteel);
         p.Shape(p.Circle(13.5f, 14.5f, 3.2f), kRed, 11, 18);
     }},
    {"Explicatii", 20, 20,
     [](Pen& p) {
         p.Shape(p.Box(3, 2.5f, 17, 17.5f, 1), kYellow);
         for (float y : {7.f, 10.f, 13.f}) p.Paint(p.Segment(6, y, 14, y, 1.2f), kYellow.line, 0.8f);
     }},
    {"Permis", 20, 20, [](Pen& p) { CheckMark(p, kGreen); }},
};

// Pictures shown whole: one frame each.
const Glyph kSingles[] = {
    {"Interzis", 20, 20, [](Pen& p) { Prohibition(p); }},
    {"Surub", 20, 20,
     [](Pen& p) {
         p.Shape(p.Circle(10, 10, 7.5f), kSteel);
         p.Paint(p.Segment(6, 14, 14, 6, 2), kSteel.line);
     }},
    {"Linii", 20, 20, [](Pen& p) { LinesMark(p); }},
    {"Anulat", 20, 20,
     [](Pen& p) {
         p.Shape(p.Circle(10, 10, 8), kRed);
         p.Paint(Union(p.Segment(6.8f, 6.8f, 13.2f, 13.2f, 2.2f), p.Segment(13.2f, 6.8f, 6.8f, 13.2f, 2.2f)), kWhite);
     }},
    {"GrupX", 20, 20,
     [](Pen& p) {
         p.Shape(p.Box(3, 3, 17, 17, 1.5f), kPaper);
         p.Paint(Union(p.Segment(6.5f, 6.5f, 13.5f, 13.5f, 2), p.Segment(13.5f, 6.5f, 6.5f, 13.5f, 2)), kNavy.deep);
     }},
    {"Grup0", 20, 20, [](Pen& p) { p.Shape(p.Box(3, 3, 17, 17, 1.5f), kPaper); }},
    {"crescator", 20, 20,
     [](Pen& p) {
         Bars(p, {4, 8, 12});
     }},
    {"descrescator", 20, 20,
     [](Pen& p) {
         Bars(p, {12, 8, 4});
     }},
    {"ToolbVert", 20, 20,
     [](Pen& p) {
         p.Shape(p.Box(6, 1.5f, 14, 18.5f, 1.5f), kSteel);
         for (float y : {5.f, 10.f, 15.f}) p.Shape(p.Box(7.8f, y - 1.8f, 12.2f, y + 1.8f, 0.8f), kBlue, y - 2, y + 2);
     }},
    {"ToolbOriz", 20, 20,
     [](Pen& p) {
         p.Shape(p.Box(1.5f, 6, 18.5f, 14, 1.5f), kSteel);
         for (float x : {5.f, 10.f, 15.f}) p.Shape(p.Box(x - 1.8f, 7.8f, x + 1.8f, 12.2f, 0.8f), kBlue, 7.8f, 12.2f);
     }},
    {"EscapeImg", 20, 20, [](Pen& p) { Door(p, 1.5f, kRed); }},
    {"SCLogo", 48, 48, [](Pen& p) { Emblem(p, kBlue); }},
    {"Pag", 20, 20, [](Pen& p) { Page(p, kNavy); }},
    {"StopModi", 32, 32,
     [](Pen& p) {
         p.Shape(p.Polygon(
                     {{7, 1.5f}, {13, 1.5f}, {18.5f, 7}, {18.5f, 13}, {13, 18.5f}, {7, 18.5f}, {1.5f, 13}, {1.5f, 7}}),
                 kRed);
         p.Paint(p.Box(5, 8.5f, 15, 11.5f, 0.8f), kWhite);
     }},
    {"MainExitImg", 32, 32, [](Pen& p) { Door(p, 1.5f, kRed); }},
};

// The dialog icons: one picture each, the sign in the upper part.
struct Icon {
    const char* name;
    Draw draw;
};
const Icon kIcons[] = {
    {"Warning",
     [](Pen& p) {
         p.Shape(p.Polygon({{10, 1}, {19.5f, 18.5f}, {0.5f, 18.5f}}), kYellow, 1, 18.5f);
         p.Paint(p.Box(9, 6.5f, 11, 13, 1), Hex(0x202020));
         p.Paint(p.Circle(10, 15.6f, 1.3f), Hex(0x202020));
     }},
    {"Error",
     [](Pen& p) {
         p.Shape(p.Circle(10, 10, 9.5f), kRed);
         p.Paint(Union(p.Segment(6.2f, 6.2f, 13.8f, 13.8f, 2.6f), p.Segment(13.8f, 6.2f, 6.2f, 13.8f, 2.6f)), kWhite);
     }},
    {"Information",
     [](Pen& p) {
         p.Shape(p.Circle(10, 10, 9.5f), kBlue);
         p.Paint(p.Circle(10, 5.6f, 1.6f), kWhite);
         p.Paint(Union(p.Box(8.8f, 8.5f, 11.2f, 15.5f, 0.5f), p.Box(7.6f, 14, 12.4f, 15.5f, 0.5f)), kWhite);
     }},
    {"Confirmation",
     [](Pen& p) {
         p.Shape(p.Circle(10, 10, 9.5f), kTeal);
         QuestionMark(p, kWhite, 10, 9.4f, 1.05f);
     }},
};

// ---------------------------------------------------------------------------
// Strips and faces

Image UpFrame(const Glyph& glyph) {
    Image frame(glyph.frameWidth, glyph.frameHeight, kFace);
    Pen pen(frame, static_cast<float>(glyph.frameWidth), static_cast<float>(glyph.frameHeight));
    glyph.draw(pen);
    return frame;
}

// The disabled look: the shape in flat greys (its light parts lighter), with
// a white copy one pixel right and down, as if pressed into the face.
Image DisabledFrame(const Image& up) {
    Image frame(up.Width(), up.Height(), kFace);
    for (int y = 0; y < up.Height(); ++y)
        for (int x = 0; x < up.Width(); ++x) {
            float shadow = x > 0 && y > 0 ? up.Coverage(x - 1, y - 1) : 0;
            float cover = up.Coverage(x, y);
            Rgb c = up.At(x, y);
            float lum = (0.3f * c.r + 0.59f * c.g + 0.11f * c.b);
            float grey = 118 + 0.42f * (lum - 118);
            Rgb& out = frame.At(x, y);
            float lit = shadow * (1 - cover);
            auto mix = [](float a, float b, float t) { return a + (b - a) * t; };
            out = {mix(kFace.r, 255, lit), mix(kFace.g, 255, lit), mix(kFace.b, 255, lit)};
            float solid = cover;  // up is composed over the face: undo to get the grey's weight
            out = {mix(out.r, grey, solid), mix(out.g, grey, solid), mix(out.b, grey, solid)};
            frame.Coverage(x, y) = std::max(cover, shadow);
        }
    return frame;
}

Image Strip(const Glyph& glyph) {
    Image up = UpFrame(glyph);
    Image strip(glyph.frameWidth * 3, glyph.frameHeight, kFace);
    strip.Place(up, 0, 0);
    strip.Place(DisabledFrame(up), glyph.frameWidth, 0);
    // The down frame: the picture one pixel right and down.
    Image down(glyph.frameWidth, glyph.frameHeight, kFace);
    down.Place(up, 1, 1);
    strip.Place(down, glyph.frameWidth * 2, 0);
    return strip;
}

Image IconPicture(const Icon& icon) {
    Image image(42, 64, kFace);
    Image sign(40, 40, kFace);
    Pen pen(sign, 40, 40);
    icon.draw(pen);
    image.Place(sign, 1, 4);
    return image;
}

// A skin of three states side by side, each a rounded face `stateWidth` wide:
// normal, hot, pressed.
struct FaceTones {
    Tone normal, hot, pressed;
};
const FaceTones kNiceFace{{Hex(0xFFFFFF), Hex(0xDCE0E6), Hex(0x8A919B)},
                          {Hex(0xFFFFFF), Hex(0xD6E6FA), Hex(0x3A78D0)},
                          {Hex(0xC6CCD6), Hex(0xEEF0F3), Hex(0x5A6370)}};
const FaceTones kBlueFace{{Hex(0xE8F2FF), Hex(0xA8C8F0), Hex(0x46699C)},
                          {Hex(0xF4F9FF), Hex(0xBCD8FA), Hex(0x2C5FB0)},
                          {Hex(0x98B8E2), Hex(0xDCE8F8), Hex(0x2E4A78)}};

Image Skin(int stateWidth, int height, const FaceTones& tones, float radius) {
    Image skin(stateWidth * 3, height, kFace);
    const Tone* states[] = {&tones.normal, &tones.hot, &tones.pressed};
    for (int i = 0; i < 3; ++i) {
        float l = i * stateWidth + 0.5f, r = (i + 1) * stateWidth - 0.5f;
        skin.Shape(Box(l, 0.5f, r, height - 0.5f, radius), states[i]->Over(1, height - 1.0f), states[i]->line);
        // A light line under the top edge gives the face its raised look.
        if (i != 2) skin.Paint(Box(l + radius, 1.5f, r - radius, 2.5f), Fill(kWhite), 0.8f);
    }
    return skin;
}

// Tabs: three states, rounded at the top only.
Image Tabs(int stateWidth, int height, const Tone& tone, bool leftAnchored) {
    Image tabs(stateWidth * 3, height, kFace);
    for (int i = 0; i < 3; ++i) {
        float l = i * stateWidth + (leftAnchored ? 0.5f : 2.5f), r = (i + 1) * stateWidth - 2.5f;
        Sdf tab = Box(l, 0.5f, r, height + 6.0f, 5);
        float dim = i == 0 ? 0.f : i == 1 ? 0.15f : 0.3f;
        Tone t = tone;
        t.deep = {t.deep.r * (1 - dim), t.deep.g * (1 - dim), t.deep.b * (1 - dim)};
        tabs.Shape(tab, t.Over(0, static_cast<float>(height)), t.line);
    }
    return tabs;
}

Image Gradient(int width, int height, Rgb top, Rgb bottom) {
    Image image(width, height, top);
    image.Paint([](V) { return -1.0f; }, Fill(top, bottom, 0, static_cast<float>(height)));
    return image;
}

Image Drawn(int width, int height, Rgb background, Draw draw) {
    Image image(width, height, background);
    Pen pen(image, static_cast<float>(width), static_cast<float>(height));
    draw(pen);
    return image;
}

// A whole page of paper with ruled lines (never keyed: shown as is).
Image Paper(int size, bool ruled) {
    Image image = Gradient(size, size, Hex(0xFBFAF5), Hex(0xEEEBE0));
    if (ruled)
        for (int y = 8; y < size; y += 8)
            image.Paint(Segment({0, y + 0.5f}, {static_cast<float>(size), y + 0.5f}, 1), Fill(Hex(0xC9D6E8)));
    return image;
}

Image ListPicture() {
    Image image = Paper(160, false);
    image.Shape(Box(16, 12, 144, 148, 6), kPaper.Over(12, 148), kPaper.line);
    for (int row = 0; row < 8; ++row) {
        float y = 30 + row * 14.5f;
        image.Shape(Circle({30, y}, 4.5f), (row % 3 == 0 ? kGreen : kBlue).Over(y - 4, y + 4), kBlue.line);
        image.Paint(Segment({42, y}, {row % 2 ? 110.0f : 128.0f, y}, 3), Fill(Hex(0x7A8494)));
    }
    return image;
}

Image CalendarPicture() {
    Image image = Paper(160, false);
    image.Shape(Box(14, 18, 146, 146, 8), kPaper.Over(18, 146), kPaper.line);
    image.Shape(Box(14, 18, 146, 48, 8), kRed.Over(18, 48), kRed.line);
    for (float x : {46.0f, 114.0f}) image.Shape(Box(x - 4, 8, x + 4, 30, 4), kSteel.Over(8, 30), kSteel.line);
    for (int row = 0; row < 5; ++row)
        for (int col = 0; col < 7; ++col) {
            float x = 26 + col * 17.5f, y = 60 + row * 17;
            image.Paint(Box(x, y, x + 11, y + 10, 2), Fill(row == 2 && col == 3 ? kRed.deep : Hex(0xB8C2D0)));
        }
    return image;
}

Image Hatch() {
    Image image(8, 8, kFace);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            image.At(x, y) = (x + y) % 4 < 2 ? Hex(0xFFFFFF) : Hex(0xC8C8C8);
            image.Coverage(x, y) = 1;
        }
    return image;
}

// Check box states: checked, unchecked, grayed; a 13-pixel box in each frame.
Image CheckFrames() {
    Image image(66, 15, kFace);
    for (int i = 0; i < 3; ++i) {
        float l = i * 22 + 4.5f;
        Tone box =
            i == 2 ? Tone{Hex(0xE2E2E2), Hex(0xCFCFCF), Hex(0x8C8C8C)} : Tone{kWhite, Hex(0xEDF1F6), Hex(0x5A6472)};
        image.Shape(Box(l, 1, l + 13, 14, 1.5f), box.Over(1, 14), box.line);
        if (i != 1)
            image.Paint(Polyline({{l + 3, 7.5f}, {l + 5.6f, 10.2f}, {l + 10.2f, 4.2f}}, 2.2f),
                        Fill(i == 2 ? Hex(0x8C8C8C) : Hex(0x1D641D)));
    }
    return image;
}

// Radio states: unchecked, checked.
Image RadioFrames() {
    Image image(22, 11, kFace);
    for (int i = 0; i < 2; ++i) {
        V c{i * 11 + 5.5f, 5.5f};
        image.Shape(Circle(c, 5.2f), Fill(kWhite, Hex(0xE6EBF2), 0, 11), Hex(0x5A6472));
        if (i == 1) image.Paint(Circle(c, 2.3f), Fill(Hex(0x3A6FC0), Hex(0x163C84), 3, 8));
    }
    return image;
}

// Picture resources carry a prefix: bare names such as "Help" are words of
// the resource compiler's language.
std::string ResourceName(const std::string& name) { return "Glyph" + name; }

struct Picture {
    std::string name;
    Image image;
    bool keyed = true;
};

std::vector<Picture> AllPictures() {
    std::vector<Picture> all;
    for (const Icon& icon : kIcons) all.push_back({icon.name, IconPicture(icon)});
    for (const Glyph& glyph : kGlyphs) all.push_back({glyph.name, Strip(glyph)});
    for (const Glyph& single : kSingles) all.push_back({single.name, UpFrame(single)});
    all.push_back({"Check", CheckFrames()});
    all.push_back({"Radio", RadioFrames()});
    all.push_back({"IconFace", Drawn(56, 30, kFace, [](Pen& p) { Emblem(p, kNavy); })});
    all.push_back({"HatchB", Hatch()});
    all.push_back({"ButtonFaceVTQ", Skin(60, 28, kNiceFace, 6)});
    all.push_back({"ButtonFaceVTQ120", Skin(60, 35, kNiceFace, 7.5f)});
    all.push_back({"ButtonFace2", Skin(60, 28, kBlueFace, 6)});
    all.push_back({"SpeedFace", Skin(24, 24, kNiceFace, 3)});
    all.push_back({"LookupFace", Drawn(48, 16, kFace, [](Pen& p) {
                       p.Shape(p.Box(0.5f, 2, 19.5f, 18, 2), kSteel);
                       p.Paint(p.Polygon({{6, 8}, {14, 8}, {10, 13}}), kSteel.line);
                   })});
    all.push_back({"TabCtrlFace", Tabs(40, 24, kSteel, false)});
    all.push_back({"TabCtrlFace120", Tabs(50, 30, kSteel, false)});
    all.push_back({"MenuTabCtrlFace", Tabs(40, 24, kBlue, false)});
    all.push_back({"MenuTabCtrlFace120", Tabs(50, 30, kBlue, false)});
    all.push_back({"MenuTabCtrlFaceL", Tabs(40, 24, kBlue, true)});
    all.push_back({"MenuTabCtrlFace120L", Tabs(50, 30, kBlue, true)});
    all.push_back({"MainTitleBarSliceE", Gradient(4, 60, Hex(0x04304D), Hex(0x1A5C8C)), false});
    all.push_back({"SiglaWinKorvenImg", Drawn(160, 48, kFace, [](Pen& p) { Emblem(p, kNavy); })});
    all.push_back({"SiglaWinKorven2Img", Drawn(96, 32, kFace, [](Pen& p) { Emblem(p, kBlue); })});
    all.push_back({"Hartie", Paper(64, true), false});
    all.push_back({"Mijloc", Gradient(64, 64, Hex(0xE6E6E6), Hex(0xBDBDBD)), false});
    all.push_back({"ImageListe", ListPicture(), false});
    all.push_back({"ImageDate", CalendarPicture(), false});
    return all;
}

// The glyph holder's description: one image per picture, named as the
// toolkit looks it up, its picture a resource of the same name.
std::string Description(const std::vector<Picture>& pictures) {
    std::string text =
        "object Mesaj: TMesaj\n"
        "  Caption = 'Mesaj'\n"
        "  BorderStyle = bsDialog\n";
    for (const Picture& picture : pictures) {
        text += "  object " + picture.name + ": TImage\n";
        text += "    AutoSize = True\n";
        text += "    Picture = '" + ResourceName(picture.name) + "'\n";
        text += "  end\n";
    }
    text += "end\n";
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<Picture> pictures = AllPictures();
    ArtFiles files;
    for (const Picture& picture : pictures)
        files[ResourceName(picture.name) + ".bmp"] = EncodeBmp(picture.image, picture.keyed, kKey);
    std::string description = Description(pictures);
    files["TMesaj.kfd"] = std::vector<std::uint8_t>(description.begin(), description.end());
    return WriteOrCheckArt("glyph_art", argc, argv, files);
}
