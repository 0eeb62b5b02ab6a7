// Separable: each row of the result is first mixed down from the original's rows into one
// row of the original's width, then mixed across into the result's width. Only that one
// row is kept between the passes, whatever the sizes.
#include "platform/ui/PictureResample.h"

#include <algorithm>
#include <vector>

namespace DuiLib {

namespace {

// Weights are fixed point: a result pixel's weights sum to exactly kOne, so a flat colour
// stays flat, and every sum of 8-bit channels fits 32 bits whatever the sizes.
constexpr int kWeightBits = 16;
constexpr std::uint32_t kOne = 1u << kWeightBits;

// Along one axis, counted in units of 1 / (from x to) of the whole length: original pixel
// i spans [i x to, (i + 1) x to), result pixel j spans [j x from, (j + 1) x from). A result
// pixel weighs the original pixels it overlaps, in order, by the overlap; cutting kOne at
// the running sums of the overlaps rounds each weight without losing any of the whole.
struct AxisWeights {
    std::vector<int> first;         // each result pixel's first original pixel
    std::vector<std::size_t> start; // where its weights begin in `weights`; one more at the end
    std::vector<std::uint32_t> weights;
};

AxisWeights WeighAxis(int from, int to) {
    AxisWeights axis;
    axis.first.reserve(static_cast<std::size_t>(to));
    axis.start.reserve(static_cast<std::size_t>(to) + 1);
    const auto share = [from](std::int64_t covered) { return (covered << kWeightBits) / from; };
    for (std::int64_t j = 0; j < to; ++j) {
        const std::int64_t low = j * from, high = low + from;
        axis.first.push_back(static_cast<int>(low / to));
        axis.start.push_back(axis.weights.size());
        for (std::int64_t i = low / to; i * to < high; ++i) {
            const std::int64_t done = std::max(low, i * to) - low;
            const std::int64_t upTo = std::min(high, (i + 1) * to) - low;
            axis.weights.push_back(static_cast<std::uint32_t>(share(upTo) - share(done)));
        }
    }
    axis.start.push_back(axis.weights.size());
    return axis;
}

struct ChannelSums {
    std::uint32_t channel[4] = {};

    void Add(std::uint32_t pixel, std::uint32_t weight) {
        for (int c = 0; c < 4; ++c)
            channel[c] += (pixel >> (8 * c) & 0xFF) * weight;
    }
    // Rounded to nearest; the same rounding for every channel keeps colour within alpha.
    std::uint32_t Mean() const {
        std::uint32_t pixel = 0;
        for (int c = 0; c < 4; ++c)
            pixel |= (channel[c] + kOne / 2) >> kWeightBits << (8 * c);
        return pixel;
    }
};

void MixDown(PixelGrid<const std::uint32_t> from, const AxisWeights& down, int row,
             std::vector<ChannelSums>& sums, std::vector<std::uint32_t>& mixed) {
    std::fill(sums.begin(), sums.end(), ChannelSums{});
    const std::size_t width = static_cast<std::size_t>(from.width);
    for (std::size_t k = down.start[row]; k < down.start[row + 1]; ++k) {
        const std::size_t source = static_cast<std::size_t>(down.first[row]) + k - down.start[row];
        const std::span<const std::uint32_t> line = from.pixels.subspan(source * width, width);
        for (std::size_t x = 0; x < width; ++x)
            sums[x].Add(line[x], down.weights[k]);
    }
    for (std::size_t x = 0; x < width; ++x)
        mixed[x] = sums[x].Mean();
}

void MixAcross(const std::vector<std::uint32_t>& mixed, const AxisWeights& across,
               std::span<std::uint32_t> line) {
    for (std::size_t x = 0; x < line.size(); ++x) {
        ChannelSums sum;
        for (std::size_t k = across.start[x]; k < across.start[x + 1]; ++k)
            sum.Add(mixed[static_cast<std::size_t>(across.first[x]) + k - across.start[x]],
                    across.weights[k]);
        line[x] = sum.Mean();
    }
}

template <typename Pixel> bool IsWhole(const PixelGrid<Pixel>& grid) {
    return grid.width >= 1 && grid.height >= 1 &&
           std::uint64_t{static_cast<std::uint32_t>(grid.width)} *
                   static_cast<std::uint32_t>(grid.height) <=
               grid.pixels.size();
}

} // namespace

bool ResamplePicture(PixelGrid<const std::uint32_t> from, PixelGrid<std::uint32_t> to) {
    if (!IsWhole(from) || !IsWhole(to))
        return false;
    const AxisWeights down = WeighAxis(from.height, to.height);
    const AxisWeights across = WeighAxis(from.width, to.width);
    std::vector<ChannelSums> sums(static_cast<std::size_t>(from.width));
    std::vector<std::uint32_t> mixed(static_cast<std::size_t>(from.width));
    const std::size_t width = static_cast<std::size_t>(to.width);
    for (int y = 0; y < to.height; ++y) {
        MixDown(from, down, y, sums, mixed);
        MixAcross(mixed, across, to.pixels.subspan(static_cast<std::size_t>(y) * width, width));
    }
    return true;
}

} // namespace DuiLib
