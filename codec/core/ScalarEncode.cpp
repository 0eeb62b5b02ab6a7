#include "codec/core/Alphabet.h"
#include "codec/core/Kernels.h"

#include <cstring>

namespace gs::base64::detail {
namespace {

// Two output units for each 12-bit value, packed as they lie in memory (little-endian):
// one table look-up and one 32-bit store per half of a 3-byte group.
constexpr std::array<std::uint32_t, 4096> kUnitPairs = [] {
    std::array<std::uint32_t, 4096> pairs{};
    for (std::uint32_t value = 0; value < 4096; ++value) {
        const auto first = static_cast<std::uint32_t>(kAlphabet[value >> 6]);
        const auto second = static_cast<std::uint32_t>(kAlphabet[value & 63]);
        pairs[value] = first | second << 16;
    }
    return pairs;
}();

void StorePair(char16_t* destination, std::uint32_t pair) {
    std::memcpy(destination, &pair, sizeof pair);
}

void EncodeLastGroup(const std::uint8_t* source, std::size_t byteCount, char16_t* destination) {
    const std::uint32_t value = source[0] << 16 | (byteCount == 2 ? source[1] << 8 : 0);
    destination[0] = static_cast<char16_t>(kAlphabet[value >> 18]);
    destination[1] = static_cast<char16_t>(kAlphabet[(value >> 12) & 63]);
    destination[2] = byteCount == 2 ? static_cast<char16_t>(kAlphabet[(value >> 6) & 63]) : u'=';
    destination[3] = u'=';
}

} // namespace

void EncodeScalar(const std::uint8_t* source, std::size_t byteCount, char16_t* destination) {
    for (; byteCount >= 3; byteCount -= 3, source += 3, destination += 4) {
        const std::uint32_t value = source[0] << 16 | source[1] << 8 | source[2];
        StorePair(destination, kUnitPairs[value >> 12]);
        StorePair(destination + 2, kUnitPairs[value & 0xFFF]);
    }
    if (byteCount != 0)
        EncodeLastGroup(source, byteCount, destination);
}

} // namespace gs::base64::detail
