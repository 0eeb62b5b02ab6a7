#include "shell/MaximiseRule.h"

#include <gtest/gtest.h>

namespace {

gs::MaximisePlacement Maximise(RECT work, SIZE movie, SIZE chrome, POINT proposed) {
    return gs::AspectKeepingMaximise(work, movie, chrome, proposed);
}

void ExpectPlacement(const gs::MaximisePlacement& placement, POINT size, POINT position) {
    EXPECT_EQ(placement.size.x, size.x);
    EXPECT_EQ(placement.size.y, size.y);
    EXPECT_EQ(placement.position.x, position.x);
    EXPECT_EQ(placement.position.y, position.y);
}

} // namespace

TEST(MaximiseRule, LandscapeMonitorsFitTheHeight) {
    ExpectPlacement(Maximise({0, 0, 1920, 1040}, {1000, 625}, {0, 0}, {1920, 1080}), {1664, 1040},
                    {128, 0});
    ExpectPlacement(Maximise({0, 0, 1920, 1040}, {1000, 625}, {0, 32}, {1920, 1080}), {1612, 1040},
                    {154, 0});
}

TEST(MaximiseRule, ANarrowWorkAreaGivesAWindowWiderThanIt) {
    ExpectPlacement(Maximise({0, 0, 1024, 728}, {1000, 625}, {0, 0}, {1024, 768}), {1164, 728},
                    {-70, 0});
}

TEST(MaximiseRule, PortraitAndSquareMonitorsFitTheWidth) {
    ExpectPlacement(Maximise({0, 0, 1080, 1880}, {1000, 625}, {0, 0}, {1080, 1920}), {1080, 675},
                    {0, 602});
    ExpectPlacement(Maximise({0, 0, 1000, 1000}, {1000, 625}, {16, 38}, {1000, 1000}), {1000, 653},
                    {0, 173});
}

// The work area comes relative to its monitor's corner, so a taskbar at the top or the
// left (on any monitor) shifts the position by the work area's own offset.
TEST(MaximiseRule, ATaskbarAtTheTopOrLeftShiftsThePosition) {
    ExpectPlacement(Maximise({0, 40, 1920, 1080}, {1000, 625}, {0, 0}, {1920, 1080}), {1728, 1080},
                    {96, 40});
    ExpectPlacement(Maximise({60, 0, 1920, 1080}, {1000, 625}, {0, 0}, {1920, 1080}), {1728, 1080},
                    {156, 0});
}
