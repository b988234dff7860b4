// The main window: its version line, where the artwork sits and how the
// background is painted.
#include "shell/installer_window.h"

#include <gtest/gtest.h>

#include "framework/graphics.h"
#include "toolkit/painted_panel.h"
#include "toolkit/toolkit_start.h"
#include "toolkit/trans_image.h"

namespace {

TEST(InstallerWindow, VersionHasTwoDecimalsRoundedAfterTheLabelsMarkup) {
    EXPECT_EQ(VersionCaption(3200851.09), "@15% ver.3200851.09");
    EXPECT_EQ(VersionCaption(1.999), "@15% ver.2.00");
    EXPECT_EQ(VersionCaption(0.5), "@15% ver.0.50");
    EXPECT_EQ(VersionCaption(12.344), "@15% ver.12.34");
}

class InstallerWindowOnScreen : public ::testing::Test {
protected:
    void SetUp() override {
        static const bool started = [] {
            StartToolkit();
            return true;
        }();
        (void)started;
    }
};

TEST_F(InstallerWindowOnScreen, ArtworkSitsInTheMiddleAndFifteenPixelsHigher) {
    TInstaller installer(nullptr);
    installer.SetWindowState(wsNormal);
    installer.SetBounds(0, 0, 800, 600);
    installer.FormResize(nullptr);
    EXPECT_EQ(installer.Panou->Left(), 25);
    EXPECT_EQ(installer.Panou->Top(), 35);
    // A screen smaller than the artwork: the divisions truncate toward zero.
    installer.SetBounds(0, 0, 640, 480);
    installer.FormResize(nullptr);
    EXPECT_EQ(installer.Panou->Left(), -55);
    EXPECT_EQ(installer.Panou->Top(), -24);
}

TEST_F(InstallerWindowOnScreen, BothPanelsAreTiledToTheirEdgesFromTheBackgroundPicture) {
    TInstaller installer(nullptr);
    EXPECT_FALSE(installer.Background->ImageVisible());
    EXPECT_EQ(installer.Background->Bitmap().Canvas().Pixel(3, 3), RGB(8, 74, 140));
    // A tile of another colour shows where the panels are tiled.
    const TColor tile = RGB(200, 30, 30);
    installer.Background->Bitmap().Canvas().Brush().SetColor(tile);
    installer.Background->Bitmap().Canvas().FillRect(RECT{0, 0, 8, 8});
    installer.SetWindowState(wsNormal);
    installer.SetBounds(0, 0, 803, 605);  // not a multiple of the tile
    installer.Show();
    TBitmap painted;
    painted.SetSize(installer.PaintedPanel1->Width(), installer.PaintedPanel1->Height());
    installer.PaintedPanel1->PaintTo(painted.Canvas().Handle());
    // Corners and edges of the outer panel above the bottom strip, and a
    // bare corner of the artwork's panel (at 26, 38).
    for (POINT p : {POINT{0, 0}, POINT{802, 0}, POINT{5, 300}, POINT{802, 563}, POINT{31, 533}})
        EXPECT_EQ(painted.Canvas().Pixel(p.x, p.y), tile) << p.x << "," << p.y;
}

}  // namespace
