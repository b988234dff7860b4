// Makes the main window's pictures: the background tile and the three
// pictures of the product in the middle of the screen, as 24-bit .bmp files.
//
//   installer_art DIR          writes the pictures into DIR
//   installer_art --check DIR  exits 1 when DIR differs from what would be written
//
// The pictures lie on the window's blue; pixels the artwork does not cover
// take the key colour (their top-left pixel, as everywhere in the toolkit)
// and edges are blended toward that blue. Calm shapes only, no lettering.
#include "toolkit/art/raster.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <string>
#include <vector>

using namespace art;

namespace {

const Rgb kBlue = Hex(0x084A8C);  // the window's surface, RGB(8, 74, 140)
const Rgb kKey = Hex(0xFF00FF);
const Rgb kWhite = Hex(0xFFFFFF);
const Rgb kMist = Hex(0xDCE9F7);
const Rgb kSky = Hex(0x9CC3EB);
const Rgb kSteel = Hex(0x5F8FC4);
const Rgb kDeep = Hex(0x0B3A6E);
const Rgb kTeal = Hex(0x3FB8AF);
const Rgb kGold = Hex(0xF2B441);
const Rgb kGoldDeep = Hex(0xB9791A);

struct Picture {
    std::string name;
    Image image;
    bool keyed = true;
};

// A smooth wave across the width, as a stroke through samples.
Sdf Wave(float width, float baseline, float amplitude, float periods, float phase, float thickness) {
    std::vector<V> points;
    for (int i = 0; i <= 64; ++i) {
        float x = width * static_cast<float>(i) / 64;
        float angle = 2 * std::numbers::pi_v<float> * (periods * x / width) + phase;
        points.push_back({x, baseline + amplitude * std::sin(angle)});
    }
    return Polyline(points, thickness);
}

// The product: a ledger sheet with a column chart and a rising trend, a
// stack of coins beside it.
Image Product() {
    Image image(446, 218, kBlue);
    // The sheet.
    const Sdf sheet = Box(164, 28, 420, 204, 12);
    image.Shape(sheet, Fill(kWhite, kMist, 28, 204), kSteel);
    image.Paint(Box(164, 28, 420, 52, 12), Fill(Hex(0x2C6BB0), Hex(0x1B528F), 28, 52));
    image.Paint(Box(164, 40, 420, 52), Hex(0x1B528F));
    for (int i = 0; i < 3; ++i) image.Paint(Circle({180.0f + 14 * i, 40}, 4), kMist, 0.85f);
    // Grid lines of the ledger.
    for (int row = 0; row < 6; ++row) {
        float y = 72.0f + 22 * row;
        image.Paint(Segment({180, y}, {404, y}, 1), kSky, 0.7f);
    }
    // Columns.
    const float heights[] = {34, 52, 46, 72, 90, 112};
    for (int i = 0; i < 6; ++i) {
        float left = 192.0f + 36 * i;
        image.Shape(Box(left, 186 - heights[i], left + 22, 186, 3), Fill(Hex(0x6FA8E0), Hex(0x1F5FA6), 70, 186),
                    Hex(0x184B84));
    }
    // The trend over the columns.
    const std::vector<V> trend{{196, 140}, {232, 124}, {268, 130}, {304, 100}, {340, 84}, {382, 58}};
    image.Paint(Polyline(trend, 4), kTeal);
    for (const V& p : trend) image.Shape(Circle(p, 5), kWhite, kTeal);
    // Coins.
    for (int i = 0; i < 5; ++i) {
        float y = 190.0f - 13 * i;
        image.Shape(Box(44, y - 9, 138, y + 9, 9), Fill(kGold, kGoldDeep, y - 9, y + 9), Hex(0x8A5A10));
    }
    image.Shape(Circle({91, 104}, 38), Fill(Hex(0xFFD77A), kGoldDeep, 66, 142), Hex(0x8A5A10));
    image.Paint(Ring(Circle({91, 104}, 28), 2), Hex(0xFFE9B0), 0.9f);
    return image;
}

// A band of quiet waves under the product, across most of the panel.
Image Band() {
    Image image(709, 112, kBlue);
    image.Paint(Wave(709, 58, 14, 1.5f, 0.0f, 10), kSky, 0.22f);
    image.Paint(Wave(709, 62, 18, 1.2f, 1.1f, 3), kMist, 0.55f);
    image.Paint(Wave(709, 54, 12, 1.8f, 2.3f, 2), kSky, 0.6f);
    image.Paint(Wave(709, 70, 10, 2.2f, 0.6f, 1.5f), kTeal, 0.55f);
    // The waves come out of the blue and go back into it.
    constexpr float kFade = 140;
    for (int x = 0; x < image.Width(); ++x) {
        const float edge = std::min(static_cast<float>(x), static_cast<float>(image.Width() - 1 - x));
        const float t = std::min(edge / kFade, 1.0f);
        const float keep = t * t * (3 - 2 * t);
        for (int y = 0; y < image.Height(); ++y) {
            Rgb& c = image.At(x, y);
            c = {kBlue.r + (c.r - kBlue.r) * keep, kBlue.g + (c.g - kBlue.g) * keep, kBlue.b + (c.b - kBlue.b) * keep};
            image.Coverage(x, y) *= keep;
        }
    }
    return image;
}

// Three small tokens of the work the program does: a document, a calendar,
// a check mark.
Image Badge() {
    Image image(197, 70, kBlue);
    const float centres[] = {34, 98, 162};
    for (float x : centres)
        image.Shape(Box(x - 26, 9, x + 26, 61, 12), Fill(Hex(0x2F6FB5), kDeep, 9, 61), Hex(0x6C9FD6));
    // Document.
    image.Shape(Polygon({{22, 19}, {40, 19}, {47, 26}, {47, 51}, {22, 51}}), Fill(kWhite, kMist, 19, 51), kSteel);
    for (int i = 0; i < 3; ++i) image.Paint(Segment({27, 31.0f + 6 * i}, {42, 31.0f + 6 * i}, 1.2f), kSteel);
    // Calendar.
    image.Shape(Box(84, 20, 112, 50, 3), Fill(kWhite, kMist, 20, 50), kSteel);
    image.Paint(Box(84, 20, 112, 28, 3), Hex(0xD9534F));
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            image.Paint(Box(88.0f + 6 * c, 32.0f + 5.5f * r, 91.0f + 6 * c, 35.0f + 5.5f * r), kSteel);
    // Check mark.
    image.Shape(Circle({162, 35}, 15), Fill(Hex(0x7FD8A0), Hex(0x2E9A5E), 20, 50), Hex(0x1D6B3F));
    image.Paint(Polyline({{154, 35}, {160, 41}, {171, 29}}, 3.2f), kWhite);
    return image;
}

// Every pixel the window's blue: the panels are tiled from its corner.
Image Tile() { return Image(16, 16, kBlue); }

std::vector<Picture> AllPictures() {
    std::vector<Picture> all;
    all.push_back({"InstallerTile", Tile(), false});
    all.push_back({"InstallerProduct", Product()});
    all.push_back({"InstallerBand", Band()});
    all.push_back({"InstallerBadge", Badge()});
    return all;
}

}  // namespace

int main(int argc, char** argv) {
    ArtFiles files;
    for (const Picture& picture : AllPictures())
        files[picture.name + ".bmp"] = EncodeBmp(picture.image, picture.keyed, kKey);
    return WriteOrCheckArt("installer_art", argc, argv, files);
}
