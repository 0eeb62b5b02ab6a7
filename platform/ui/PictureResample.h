#pragma once
// Bringing a picture to another size by area averaging ("pixel mixing"): each pixel of the
// result is the mean of the part of the original under it, every original pixel weighed
// by how much of it lies there. Premultiplied BGRA in, premultiplied BGRA out: a mean of
// pixels whose channels are within their alpha keeps them within it. Integers only, so
// the same picture comes out on every machine. Portable.
#include <cstdint>
#include <span>

namespace DuiLib {

// `width` pixels a row, rows top-down, no gap between rows.
template <typename Pixel> struct PixelGrid {
    std::span<Pixel> pixels;
    int width = 0;
    int height = 0;
};

// Fills `to` from `from`. False, with nothing written, when a side is under 1 or a grid's
// pixels are fewer than its sides say.
bool ResamplePicture(PixelGrid<const std::uint32_t> from, PixelGrid<std::uint32_t> to);

} // namespace DuiLib
