// Pictures at other scales: the twin's file name and the resampler (also built natively,
// under the sanitizers).
#include "platform/ui/PictureScale.h"
#include "platform/ui/PictureResample.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

using DuiLib::ResamplePicture;
using Pixels = std::vector<std::uint32_t>;

namespace {

Pixels Resampled(const Pixels& from, int fromWidth, int toWidth, int toHeight) {
    Pixels to(static_cast<std::size_t>(toWidth) * toHeight);
    const int fromHeight = static_cast<int>(from.size()) / fromWidth;
    EXPECT_TRUE(ResamplePicture({from, fromWidth, fromHeight}, {to, toWidth, toHeight}));
    return to;
}

} // namespace

TEST(PictureScale, TheTwinsNameTakesTheAtBeforeTheLastPartsExtension) {
    EXPECT_EQ(DuiLib::TwinFileName(L"art/a.b.png"), L"art/a.b@2x.png");
    EXPECT_EQ(DuiLib::TwinFileName(L"art.v2\\logo"), L"art.v2\\logo@2x");
}

TEST(PictureResample, EachPixelIsTheMeanOfTheAreaUnderIt) {
    const struct {
        const char* what;
        Pixels from;
        int fromWidth, toWidth, toHeight;
        Pixels expected;
    } cases[] = {
        {"2 x 2 to 1", {0xFF101010, 0xFF202020, 0xFF303030, 0xFF404040}, 2, 1, 1, {0xFF282828}},
        {"alpha mixes as a channel", {0x00000000, 0xFFFFFFFF}, 2, 1, 1, {0x80808080}},
        {"1 to 3 stays flat", {0x80402010}, 1, 3, 1, Pixels(3, 0x80402010)},
        {"3 to 2", {0xFF303030, 0xFF606060, 0xFF909090}, 3, 2, 1, {0xFF404040, 0xFF808080}},
        {"2 to 3 down", {0xFF000000, 0xFFFFFFFF}, 1, 1, 3, {0xFF000000, 0xFF808080, 0xFFFFFFFF}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Resampled(c.from, c.fromWidth, c.toWidth, c.toHeight), c.expected) << c.what;
}

TEST(PictureResample, ColoursStayWithinTheirAlphaAtEveryScale) {
    std::minstd_rand random(7);
    Pixels from(7 * 5);
    for (std::uint32_t& pixel : from) { // red as strong as alpha: the closest case
        const std::uint32_t alpha = random() & 0xFF;
        pixel = alpha << 24 | alpha << 16 | random() % (alpha + 1) << 8 | random() % (alpha + 1);
    }
    const auto withinAlpha = [](std::uint32_t pixel) {
        const std::uint32_t alpha = pixel >> 24;
        return (pixel & 0xFF) <= alpha && (pixel >> 8 & 0xFF) <= alpha &&
               (pixel >> 16 & 0xFF) <= alpha;
    };
    for (const auto& [width, height] : {std::pair{3, 2}, {16, 9}, {1, 1}, {20, 1}, {7, 13}}) {
        const Pixels to = Resampled(from, 7, width, height);
        EXPECT_TRUE(std::all_of(to.begin(), to.end(), withinAlpha)) << width << " x " << height;
    }
}

TEST(PictureResample, ExtremeSizesStayInBounds) {
    const struct {
        int fromWidth, fromHeight, toWidth, toHeight;
    } sizes[] = {{1, 1, 16384, 1}, {1, 1, 1, 16384}, {16384, 1, 1, 1}, {2, 16384, 16384, 3}};
    for (const auto& [fromWidth, fromHeight, toWidth, toHeight] : sizes)
        EXPECT_EQ(Resampled(Pixels(std::size_t{1} * fromWidth * fromHeight, 0x80402010), fromWidth,
                            toWidth, toHeight),
                  Pixels(std::size_t{1} * toWidth * toHeight, 0x80402010))
            << fromWidth << " x " << fromHeight << " to " << toWidth << " x " << toHeight;
}

TEST(PictureResample, BadGridsAreRefusedWithNothingWritten) {
    const Pixels from(4, 0x80402010);
    Pixels to(4, 0);
    EXPECT_FALSE(ResamplePicture({from, 0, 4}, {to, 2, 2})) << "no width";
    EXPECT_FALSE(ResamplePicture({from, 2, 2}, {to, 2, -1})) << "a negative height";
    EXPECT_FALSE(ResamplePicture({from, 3, 2}, {to, 2, 2})) << "fewer pixels than the sides say";
    EXPECT_FALSE(ResamplePicture({from, 2, 2}, {to, 5, 1})) << "no room for the result";
    EXPECT_EQ(to, Pixels(4, 0)) << "nothing written";
}
