#include "shell/MaximiseRule.h"

#include <gtest/gtest.h>

// The work area comes relative to its monitor's corner, so a taskbar at the top or the
// left (on any monitor) shifts the position by the work area's own offset.
TEST(MaximiseRule, TheOrientationPicksTheSideToFitAndTheRestIsCentred) {
    const struct {
        RECT work;
        SIZE chrome;
        POINT proposed, size, position;
    } cases[] = {
        {{0, 0, 1920, 1040}, {0, 0}, {1920, 1080}, {1664, 1040}, {128, 0}},
        {{0, 0, 1920, 1040}, {0, 32}, {1920, 1080}, {1612, 1040}, {154, 0}},
        {{0, 0, 1024, 728}, {0, 0}, {1024, 768}, {1164, 728}, {-70, 0}}, // wider than the area
        {{0, 0, 1080, 1880}, {0, 0}, {1080, 1920}, {1080, 675}, {0, 602}},
        {{0, 0, 1000, 1000}, {16, 38}, {1000, 1000}, {1000, 653}, {0, 173}},
        {{0, 40, 1920, 1080}, {0, 0}, {1920, 1080}, {1728, 1080}, {96, 40}},
        {{60, 0, 1920, 1080}, {0, 0}, {1920, 1080}, {1728, 1080}, {156, 0}},
    };
    for (const auto& c : cases) {
        gs::MaximisePlacement placement =
            gs::AspectKeepingMaximise(c.work, {1000, 625}, c.chrome, c.proposed);
        EXPECT_EQ(placement.size.x, c.size.x) << c.work.right << "x" << c.work.bottom;
        EXPECT_EQ(placement.size.y, c.size.y);
        EXPECT_EQ(placement.position.x, c.position.x);
        EXPECT_EQ(placement.position.y, c.position.y);
    }
}
