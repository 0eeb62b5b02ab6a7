#pragma once
// A skin's numbers are pixels at 96 DPI. Every length is brought to the screen's DPI by
// this one rule: length x dpi / 96, rounded to the nearest pixel, halves away from zero.
// Portable: the same rule holds for layout, fonts and pictures alike.
#include <cstdint>

namespace DuiLib {

constexpr int kBaseDpi = 96;

// Screens are told apart between these; a DPI outside them is not believed.
constexpr int kMinDpi = 24;
constexpr int kMaxDpi = 960;

constexpr int ScaleToDpi(int length, int dpi) {
    const std::int64_t product = std::int64_t{length} * dpi;
    const std::int64_t half = kBaseDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / kBaseDpi
                                         : -((-product + half) / kBaseDpi));
}

} // namespace DuiLib
