#include "tools/lobby/HandoverImage.h"

#include <cstring>

namespace lobby {

std::optional<std::int64_t> ParseInteger(const std::string& text) {
    std::size_t pos = 0;
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        pos = 1;
    }
    int base = 10;
    if (text.compare(pos, 2, "0x") == 0 || text.compare(pos, 2, "0X") == 0) {
        base = 16;
        pos += 2;
    }
    if (pos >= text.size() || text.size() - pos > 10)
        return std::nullopt;
    std::int64_t value = 0;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0)
            return std::nullopt;
        value = value * base + digit;
    }
    return negative ? -value : value;
}

// A value fits when it is representable as the field's width, signed or unsigned.
static bool FitsInBits(std::int64_t value, int bits) {
    const std::int64_t lowest = -(std::int64_t{1} << (bits - 1));
    const std::int64_t highest = (std::int64_t{1} << bits) - 1;
    return value >= lowest && value <= highest;
}

static void StoreLittleEndian(HandoverImage& image, std::size_t offset, std::size_t width,
                              std::int64_t value) {
    const auto bits = static_cast<std::uint64_t>(value);
    for (std::size_t i = 0; i < width; ++i)
        image[offset + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

static std::wstring StoreField(HandoverImage& image, const FieldSpec& field,
                               const std::string& value) {
    const std::wstring option = std::wstring(L"--") + field.option;
    if (field.kind == FieldKind::Text) {
        if (value.size() > field.width)
            return option + L": " + std::to_wstring(value.size()) + L" bytes do not fit in " +
                   std::to_wstring(field.width);
        std::memcpy(image.data() + field.offset, value.data(), value.size());
        return std::wstring();
    }
    const auto number = ParseInteger(value);
    const int bits = static_cast<int>(field.width * 8);
    if (!number || !FitsInBits(*number, bits))
        return option + L": not a " + std::to_wstring(bits) + L"-bit number";
    StoreLittleEndian(image, field.offset, field.width, *number);
    return std::wstring();
}

HandoverImageResult BuildHandoverImage(const FieldValues& values) {
    HandoverImageResult result;
    for (std::size_t i = 0; i < kFieldCount && result.error.empty(); ++i)
        result.error = StoreField(result.image, kFields[i], values[i]);
    return result;
}

} // namespace lobby
