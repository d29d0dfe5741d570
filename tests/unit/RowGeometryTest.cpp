#include <gtest/gtest.h>

#include "listview/RowGeometry.h"

TEST(RowHighlight, FollowsDropTargetSelectionFocusAndShowSelectionAlways)
{
    struct Case {
        RowHighlightInput input;
        bool highlighted;
    };
    const Case cases[] = {
        {{false, false, false, false}, false},
        {{false, false, true, true}, false},
        {{true, false, false, false}, true},   // drop target, not selected
        {{false, true, true, false}, true},    // selected in the focused list
        {{false, true, false, true}, true},    // selected, focus elsewhere, show selection always
        {{false, true, false, false}, false},  // selected, focus elsewhere
        {{true, true, false, false}, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsRowHighlighted(c.input), c.highlighted)
            << c.input.dropHighlighted << c.input.selected << c.input.listHasFocus << c.input.showSelectionAlways;
    }
}

TEST(RowBand, StartsLeftOfTheLabelAndReachesTheClientEdge)
{
    const PixelRect bounds{-30, 17, 500, 31};
    const PixelRect label{-26, 17, 10, 31};
    // Columns narrower than the list: the band still reaches the right edge.
    EXPECT_EQ(RowBand(bounds, label, 640, 2), (PixelRect{-28, 17, 640, 31}));
    // Columns wider than the list: the band ends with the row.
    EXPECT_EQ(RowBand(bounds, label, 400, 2), (PixelRect{-28, 17, 500, 31}));
    EXPECT_EQ(RowBand(bounds, label, 400, 3), (PixelRect{-29, 17, 500, 31}));
}

TEST(ColumnText, KeepsAMarginOnBothSides)
{
    const PixelRect bounds{0, 20, 700, 34};
    EXPECT_EQ(ColumnTextRect(0, 40, 6, bounds), (PixelRect{6, 20, 34, 34}));
    EXPECT_EQ(ColumnTextRect(40, 600, 6, bounds), (PixelRect{46, 20, 634, 34}));
    // Narrower than two margins: inverted, and used as it is.
    EXPECT_EQ(ColumnTextRect(40, 10, 6, bounds), (PixelRect{46, 20, 44, 34}));
}

TEST(ColumnFit, GivesTheFillingColumnWhatTheOthersLeaveButNeverLessThanItsOwnWidth)
{
    const struct {
        int client, others, minimum, width;
    } cases[] = {
        // 40 beside it in a client area 620 wide.
        {620, 40, 460, 580},
        // A vertical scroll bar narrowed the list after the first fit.
        {603, 40, 460, 563},
        // The others take most of the room: its own width, and the list scrolls.
        {549, 1390, 200, 200},
        // They take all of it, and it has none of its own: zero, never negative.
        {40, 500, 0, 0},
        {30, 500, -5, 0},
        // Far too wide for the 16-bit field: the widest width it can carry.
        {100000, 40, 460, 0x7FFF},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FittedColumnWidth(c.client, c.others, c.minimum), c.width) << c.client << " " << c.others;
}
