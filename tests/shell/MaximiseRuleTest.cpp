#include "shell/MaximiseRule.h"

#include <gtest/gtest.h>

// Monitors and work areas in virtual-screen coordinates; the placement comes back
// relative to the monitor's top-left corner and must lie inside the work area.
TEST(MaximiseRule, TheWindowKeepsTheMoviesAspectInsideTheWorkArea) {
    // clang-format off
    const struct { const char* screen; RECT monitor, work; SIZE chrome; POINT size, position; } cases[] = {
        {"1920x1080", {0, 0, 1920, 1080}, {0, 0, 1920, 1040}, {0, 0}, {1664, 1040}, {128, 0}},
        {"1920x1080, chrome", {0, 0, 1920, 1080}, {0, 0, 1920, 1040}, {0, 32}, {1612, 1040}, {154, 0}},
        {"1024x768", {0, 0, 1024, 768}, {0, 0, 1024, 728}, {0, 0}, {1024, 640}, {0, 44}},
        {"1280x1024", {0, 0, 1280, 1024}, {0, 0, 1280, 984}, {16, 38}, {1280, 828}, {0, 78}},
        {"portrait", {0, 0, 1080, 1920}, {0, 0, 1080, 1880}, {0, 0}, {1080, 675}, {0, 602}},
        {"square", {0, 0, 1000, 1000}, {0, 0, 1000, 1000}, {16, 38}, {1000, 653}, {0, 173}},
        {"taskbar top", {0, 0, 1920, 1080}, {0, 40, 1920, 1080}, {0, 0}, {1664, 1040}, {128, 40}},
        {"taskbar left", {0, 0, 1920, 1080}, {60, 0, 1920, 1080}, {0, 0}, {1728, 1080}, {126, 0}},
        {"taskbar right", {0, 0, 1366, 768}, {0, 0, 1306, 768}, {0, 0}, {1228, 768}, {39, 0}},
        {"taskbar left, narrow", {0, 0, 1024, 768}, {62, 0, 1024, 768}, {0, 0}, {962, 601}, {62, 83}},
        {"left secondary", {-1280, 0, 0, 1024}, {-1280, 0, 0, 984}, {0, 0}, {1280, 800}, {0, 92}},
        {"above, portrait", {0, -1920, 1080, 0}, {0, -1920, 1080, -40}, {0, 0}, {1080, 675}, {0, 602}},
    };
    // clang-format on
    for (const auto& c : cases) {
        const POINT proposed{c.monitor.right - c.monitor.left, c.monitor.bottom - c.monitor.top};
        gs::MaximisePlacement placement =
            gs::AspectKeepingMaximise(c.monitor, c.work, {1000, 625}, c.chrome, proposed);
        EXPECT_EQ(placement.size.x, c.size.x) << c.screen;
        EXPECT_EQ(placement.size.y, c.size.y) << c.screen;
        EXPECT_EQ(placement.position.x, c.position.x) << c.screen;
        EXPECT_EQ(placement.position.y, c.position.y) << c.screen;
        const LONG left = c.monitor.left + placement.position.x;
        const LONG top = c.monitor.top + placement.position.y;
        EXPECT_TRUE(left >= c.work.left && top >= c.work.top &&
                    left + placement.size.x <= c.work.right &&
                    top + placement.size.y <= c.work.bottom)
            << c.screen << " leaves its work area";
    }
}

// At 144 DPI the restored window is 1524 x 995 with 24 x 57 of chrome; a 1366 x 768
// laptop's work area (728 high) takes it at the largest size that fits.
TEST(MaximiseRule, AWindowTooLargeForTheRoomOpensAtTheLargestFit) {
    const SIZE fit = gs::AspectFitInside({1366, 728}, {1500, 938}, {24, 57}, true);
    EXPECT_EQ(fit.cx, 1097); // (728 - 57) x 1500 / 938 + 24
    EXPECT_EQ(fit.cy, 728);
    const SIZE tall = gs::AspectFitInside({1024, 768}, {1500, 938}, {24, 57}, true);
    EXPECT_EQ(tall.cx, 1024);
    EXPECT_EQ(tall.cy, 682); // (1024 - 24) x 938 / 1500 + 57, filled across
}
