// Where CenterWindow puts a window.
#include "CenterRules.h"

#include <gtest/gtest.h>

namespace {

struct CenterCase {
    const char* name;
    CenterRect window;
    CenterRect on;
    CenterRect area;
    long left;
    long top;
};

TEST(CenterRectOnTest, CentresThenKeepsInsideTheWorkArea)
{
    const CenterRect screen = {0, 0, 1280, 1000};
    const CenterCase cases[] = {
        {"centred on the area", {0, 0, 200, 100}, screen, screen, 540, 450},
        {"centred on an owner", {0, 0, 100, 50}, {100, 100, 401, 301}, screen, 200, 175},
        {"odd sizes truncate", {10, 10, 101, 51}, {0, 0, 11, 11}, {-500, -500, 500, 500}, -40, -15},
        {"pushed in from the right and bottom", {0, 0, 200, 100}, {1200, 950, 1280, 1000}, screen, 1080, 900},
        {"pushed in from the left and top", {0, 0, 200, 100}, {-100, -100, 0, 0}, screen, 0, 0},
        {"larger than the area keeps to its left and top", {0, 0, 2000, 1500}, screen, screen, 0, 0},
        {"work area with an offset", {0, 0, 100, 100}, {0, 0, 60, 60}, {50, 40, 1000, 1000}, 50, 40},
    };
    for (const CenterCase& c : cases) {
        SCOPED_TRACE(c.name);
        const CenterRect placed = CenterRectOn(c.window, c.on, c.area);
        EXPECT_EQ(placed.left, c.left);
        EXPECT_EQ(placed.top, c.top);
        // Moved, never resized.
        EXPECT_EQ(placed.right - placed.left, c.window.right - c.window.left);
        EXPECT_EQ(placed.bottom - placed.top, c.window.bottom - c.window.top);
    }
}

} // namespace
