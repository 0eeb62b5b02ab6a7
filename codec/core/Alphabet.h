#pragma once
// The RFC 4648 alphabet and the look-up tables built from it at compile time.
#include <array>
#include <cstdint>

namespace gs::base64::detail {

inline constexpr char kAlphabet[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

inline constexpr std::uint8_t kNotAlphabet = 0xFF;

// Sextet value of each byte, kNotAlphabet for the bytes outside the alphabet.
inline constexpr std::array<std::uint8_t, 256> kSextets = [] {
    std::array<std::uint8_t, 256> sextets{};
    sextets.fill(kNotAlphabet);
    for (std::uint8_t value = 0; value < 64; ++value)
        sextets[static_cast<std::uint8_t>(kAlphabet[value])] = value;
    return sextets;
}();

} // namespace gs::base64::detail
