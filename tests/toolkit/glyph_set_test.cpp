// The glyph holder on both kinds of display, its pictures' sizes and the
// lookups by kind.
#include "toolkit/glyph_set.h"

#include "framework/application.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

TColor TopLeft(TBitmap& bitmap) { return bitmap.Canvas().Pixel(0, 0); }

class GlyphSetTest : public ::testing::Test {
protected:
    void TearDown() override { StartGlyphSet({32, 96, {}}); }
};

// A folder of its own for the optional tab pictures.
struct TempFolder {
    TempFolder() {
        path = std::filesystem::temp_directory_path() / ("glyphs" + std::to_string(GetCurrentProcessId()));
        std::filesystem::create_directories(path);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::filesystem::path path;
};

}  // namespace

TEST_F(GlyphSetTest, PicturesTheInstallerShowsHaveTheirSizes) {
    StartGlyphSet({32, 96, {}});
    struct Expected {
        const char* name;
        int width, height;
    } sizes[] = {{"Warning", 42, 64},
                 {"Error", 42, 64},
                 {"Confirmation", 42, 64},
                 {"Information", 42, 64},
                 {"OK", 84, 28},
                 {"Cancel", 75, 28},
                 {"Nu", 90, 30},
                 {"Exit", 60, 30},
                 {"Retry", 87, 30},
                 {"Help", 60, 30},
                 {"Image1", 81, 31},
                 {"Avansat", 87, 28},
                 {"PrnSetup", 90, 30},
                 {"Check", 66, 15},
                 {"Radio", 22, 11},
                 {"IconFace", 56, 30},
                 {"HatchB", 8, 8},
                 {"ButtonFaceVTQ", 180, 28},
                 {"ButtonFaceVTQ120", 180, 35},
                 {"ImageDate", 160, 160},
                 {"ImageListe", 160, 160}};
    for (const Expected& e : sizes) {
        TBitmap& picture = GlyphHolder().Picture(e.name);
        EXPECT_EQ(picture.Width(), e.width) << e.name;
        EXPECT_EQ(picture.Height(), e.height) << e.name;
    }
}

TEST_F(GlyphSetTest, EveryKindFindsItsPicture) {
    for (int kind = 0; kind < kButtonKindCount; ++kind) {
        bool none = kind == mkLast || kind == mkCustom || kind == mkIgnore;
        EXPECT_EQ(ButtonGlyph(static_cast<TMButtonKind>(kind)).Empty(), none) << kButtonKindNames[kind];
        EXPECT_EQ(NiceButtonGlyph(static_cast<TMButtonKind>(kind)).Empty(), kind == mkLast || kind == mkCustom)
            << kButtonKindNames[kind];
    }
    for (int kind = glPermis; kind < kAlteGlifeCount; ++kind)
        EXPECT_FALSE(AlteGlyph(static_cast<TAlteGlife>(kind)).Empty()) << kAlteGlifeNames[kind];
    for (int kind = mtWarning; kind < mtCustom; ++kind)
        EXPECT_FALSE(DialogIcon(static_cast<TMsgDlgType>(kind)).Empty()) << kMsgDlgTypeNames[kind];
}

TEST_F(GlyphSetTest, KindsWithoutPictureShareOneEmptyBitmap) {
    EXPECT_EQ(&ButtonGlyph(mkCustom), &EmptyGlyph());
    EXPECT_EQ(&ButtonGlyph(mkIgnore), &EmptyGlyph());
    EXPECT_EQ(&AlteGlyph(glCustom), &EmptyGlyph());
    EXPECT_EQ(&DialogIcon(mtCustom), &EmptyGlyph());
    EXPECT_TRUE(EmptyGlyph().Empty());
}

TEST_F(GlyphSetTest, NiceButtonsUseTheButtonGlyphUnlessTheyHaveTheirOwn) {
    EXPECT_EQ(&NiceButtonGlyph(mkYes), &ButtonGlyph(mkOK));
    EXPECT_EQ(&NiceButtonGlyph(mkIgnore), &GlyphHolder().Picture("PrnSetup"));
    EXPECT_EQ(&NiceButtonGlyph(mkAll), &GlyphHolder().Picture("Avansat"));
    EXPECT_EQ(&ButtonGlyph(mkAll), &GlyphHolder().Picture("Image1"));
    EXPECT_EQ(&AlteGlyph(glCheck), &GlyphHolder().Picture("Check"));
}

TEST_F(GlyphSetTest, HighColourDisplaysPutGlyphsOnTheButtonFace) {
    StartGlyphSet({32, 96, {}});
    EXPECT_TRUE(HighColorDisplay);
    EXPECT_EQ(Application().HintColor(), RGBColor(217, 226, 230));
    EXPECT_EQ(TopLeft(ButtonGlyph(mkOK)), ColorToRGB(GlyphBackgroundColor()));
    EXPECT_EQ(TopLeft(DialogIcon(mtError)), ColorToRGB(GlyphBackgroundColor()));
    // The skins keep their own transparent colour.
    EXPECT_NE(TopLeft(GlyphHolder().Picture("ButtonFaceVTQ")), ColorToRGB(GlyphBackgroundColor()));
}

TEST_F(GlyphSetTest, LowColourDisplaysKeepThePicturesAsStored) {
    StartGlyphSet({32, 96, {}});
    TColor skinKey = TopLeft(GlyphHolder().Picture("ButtonFaceVTQ"));
    StartGlyphSet({8, 96, {}});
    EXPECT_FALSE(HighColorDisplay);
    EXPECT_EQ(Application().HintColor(), clYellow);
    EXPECT_EQ(TopLeft(ButtonGlyph(mkOK)), skinKey) << "the same key colour as the skin, not the face";
}

TEST_F(GlyphSetTest, TabPicturesBesideTheProgramReplaceTheBuiltInOnes) {
    TempFolder folder;
    TBitmap own;
    own.SetSize(7, 5);
    own.SaveToFile((folder.path / "TabMF.bmp").string());
    std::ofstream((folder.path / "TabMFL.bmp").string()) << "not a picture";
    StartGlyphSet({32, 96, folder.path.string()});
    EXPECT_EQ(GlyphHolder().Picture("MenuTabCtrlFace120").Width(), 7);
    EXPECT_GT(GlyphHolder().Picture("MenuTabCtrlFace120L").Width(), 7) << "an unreadable file is ignored";
}

TEST_F(GlyphSetTest, TheTabFaceFollowsTheResolution) {
    StartGlyphSet({32, 120, {}});
    EXPECT_EQ(&GlyphHolder().TabCtrlFace(), &GlyphHolder().Picture("TabCtrlFace120"));
    StartGlyphSet({32, 96, {}});
    EXPECT_EQ(&GlyphHolder().TabCtrlFace(), &GlyphHolder().Picture("TabCtrlFace"));
}
