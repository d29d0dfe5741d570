#include <gtest/gtest.h>

#include "controls/Emboss.h"

TEST(Emboss, ShadesMoveEachChannelBy20AndStopAtItsLimits)
{
    EXPECT_EQ(Darkened(Rgb(128, 128, 128)), Rgb(108, 108, 108));
    EXPECT_EQ(Lightened(Rgb(212, 208, 200)), Rgb(232, 228, 220));
    EXPECT_EQ(Darkened(Rgb(15, 21, 20)), Rgb(0, 1, 0));
    EXPECT_EQ(Lightened(Rgb(240, 234, 235)), Rgb(255, 254, 255));
    EXPECT_EQ(Darkened(Rgb(0, 255, 100)), Rgb(0, 235, 80));
    EXPECT_EQ(Lightened(Rgb(0, 255, 100)), Rgb(20, 255, 120));
}

TEST(Emboss, ShadesAreTheButtonsShiftedOrInHighContrastTheThemesOwnWithTheFaceInItsTextColour)
{
    const ButtonColours system{Rgb(212, 208, 200), Rgb(250, 250, 250), Rgb(128, 128, 128), Rgb(0, 0, 0)};
    const struct {
        bool highContrast;
        EmbossShades shades;
    } cases[] = {
        {false, {Rgb(108, 108, 108), Rgb(255, 255, 255), Rgb(232, 228, 220)}},
        {true, {Rgb(128, 128, 128), Rgb(250, 250, 250), Rgb(0, 0, 0)}},
    };
    for (const auto& c : cases) {
        const EmbossShades shades = LogoShades(system, c.highContrast);
        EXPECT_EQ(shades.dark, c.shades.dark) << c.highContrast;
        EXPECT_EQ(shades.light, c.shades.light) << c.highContrast;
        EXPECT_EQ(shades.face, c.shades.face) << c.highContrast;
    }
}

TEST(Emboss, PassesHugTheBottomRightCornerAndMoveOnlyTheirLeftEdge)
{
    // The system font's a = 7, h = 16 in a 125 x 26 control; text 80 x 30.
    const EmbossPasses passes = LogoPassRects(125, 26, 7, 16, 80, 30);
    EXPECT_EQ(passes.dark, (PixelRect{125 - 3 - 80, 26 - 3 - 30, 125, 26}));
    EXPECT_EQ(passes.light, (PixelRect{passes.dark.left - 4, passes.dark.top, 125, 26}));
    EXPECT_EQ(passes.face, (PixelRect{passes.dark.left - 3, passes.dark.top, 125, 26}));
}

TEST(Emboss, ATextWiderThanTheControlStartsLeftOfIt)
{
    const EmbossPasses passes = LogoPassRects(60, 20, 8, 20, 100, 24);
    EXPECT_EQ(passes.dark.left, -44);
    EXPECT_EQ(passes.dark.top, -8);
    // Negative offsets truncate towards zero: -24 / 5 is -4, 8 / 5 is 1.
    EXPECT_EQ(passes.light.left, -48);
    EXPECT_EQ(passes.face.left, -47);
}
