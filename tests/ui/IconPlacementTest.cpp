// Where the minimised dialog draws its icon.
#include "IconPlacement.h"

#include <gtest/gtest.h>

namespace {

TEST(IconPlacementTest, CentresWithTheExtraPixelRoundedIn)
{
    struct Case {
        int width, height, cx, cy, x, y;
    };
    const Case cases[] = {
        {36, 36, 32, 32, 2, 2},   {37, 37, 32, 32, 3, 3},
        {32, 32, 32, 32, 0, 0},   {160, 28, 32, 32, 64, -1}, // a client area lower than the icon
        {20, 20, 32, 32, -5, -5},
    };
    for (const Case& c : cases) {
        const IconOrigin origin = CenterIconInClient(c.width, c.height, c.cx, c.cy);
        EXPECT_EQ(origin.x, c.x) << c.width << " x " << c.height;
        EXPECT_EQ(origin.y, c.y) << c.width << " x " << c.height;
    }
}

} // namespace
