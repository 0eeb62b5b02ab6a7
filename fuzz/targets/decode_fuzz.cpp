// The decoder on arbitrary 16-bit text and destination sizes: every processor path gives
// what an independent reference decoder gives, rejects what is not Base64, and writes
// only into its exact-size heap destination (AddressSanitizer watches the bounds).
#include "FuzzInput.h"
#include "codec/core/Base64Core.h"

#include <cstring>
#include <memory>
#include <optional>
#include <vector>

using fuzz::Check;

namespace {

using gs::base64::Path;
using Bytes = std::vector<std::uint8_t>;

int SextetOf(char16_t unit) {
    if (unit >= u'A' && unit <= u'Z')
        return unit - u'A';
    if (unit >= u'a' && unit <= u'z')
        return unit - u'a' + 26;
    if (unit >= u'0' && unit <= u'9')
        return unit - u'0' + 52;
    if (unit == u'+')
        return 62;
    if (unit == u'/')
        return 63;
    return -1;
}

// The documented rules, written out plainly: line breaks dropped, groups of four, the
// last one may end in '=' or "==" with zero bits below the last byte.
std::optional<Bytes> ReferenceDecode(const std::u16string& text) {
    std::u16string significant;
    for (char16_t unit : text)
        if (unit != u'\r' && unit != u'\n')
            significant += unit;
    if (significant.size() % 4 != 0)
        return std::nullopt;
    Bytes bytes;
    for (std::size_t at = 0; at < significant.size(); at += 4) {
        const bool last = at + 4 == significant.size();
        int padding = 0;
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            const char16_t unit = significant[at + i];
            if (unit == u'=' && last && i >= 2 && (i == 3 || significant[at + 3] == u'=')) {
                ++padding;
                value <<= 6;
                continue;
            }
            const int sextet = SextetOf(unit);
            if (sextet < 0 || padding > 0)
                return std::nullopt;
            value = value << 6 | static_cast<std::uint32_t>(sextet);
        }
        if ((padding == 1 && (value & 0xFF) != 0) || (padding == 2 && (value & 0xFFFF) != 0))
            return std::nullopt;
        const std::uint8_t group[3] = {std::uint8_t(value >> 16), std::uint8_t(value >> 8),
                                       std::uint8_t(value)};
        bytes.insert(bytes.end(), group, group + 3 - padding);
    }
    return bytes;
}

void CheckResult(std::ptrdiff_t result, const std::uint8_t* out, std::size_t capacity,
                 const std::optional<Bytes>& expected) {
    if (!expected) {
        Check(result < 0);
    } else if (expected->size() > capacity) {
        Check(result == gs::base64::kDestinationTooSmall);
    } else {
        Check(result == static_cast<std::ptrdiff_t>(expected->size()));
        Check(expected->empty() || std::memcmp(out, expected->data(), expected->size()) == 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const std::size_t capacitySelector = input.TakeUint16();
    const std::u16string text = input.RestAsUnits();
    // Mostly the size the shell passes, sometimes any smaller or larger one.
    const std::size_t bound = gs::base64::DecodedBytesAtMost(text.size());
    const std::size_t capacity = capacitySelector < 0x8000 ? bound : capacitySelector % (bound + 8);

    // Exact-size heap copies: one unit past the text, or one byte past the destination,
    // is outside the allocation.
    auto counted = std::make_unique<char16_t[]>(text.size());
    std::copy(text.begin(), text.end(), counted.get());
    const std::optional<Bytes> expected = ReferenceDecode(text);
    const bool hasNul = text.find(u'\0') != std::u16string::npos;

    for (Path path : {Path::Scalar, Path::Ssse3, Path::Avx2}) {
        if (!gs::base64::IsSupported(path))
            continue;
        auto out = std::make_unique<std::uint8_t[]>(capacity);
        CheckResult(gs::base64::Decode(path, counted.get(), text.size(), out.get(), capacity),
                    out.get(), capacity, hasNul ? std::nullopt : expected);
        if (!hasNul) {
            auto terminated = std::make_unique<char16_t[]>(text.size() + 1);
            std::copy(text.begin(), text.end(), terminated.get());
            terminated[text.size()] = u'\0';
            CheckResult(gs::base64::DecodeText(path, terminated.get(), out.get(), capacity),
                        out.get(), capacity, expected);
        }
    }
    return 0;
}
