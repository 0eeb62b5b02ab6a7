#pragma once
// The 496 bytes of the handover block, laid out from the field values: little-endian
// numbers, ANSI texts NUL-padded to their field width. A text of the full width is
// stored without a terminator, as a careless platform would.
#include "tools/lobby/LaunchFields.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace lobby {

using HandoverImage = std::array<std::uint8_t, kHandoverSize>;

struct HandoverImageResult {
    HandoverImage image{};
    std::wstring error; // empty on success: names the field that does not fit
};

HandoverImageResult BuildHandoverImage(const FieldValues& values);

// Decimal with an optional sign, or hexadecimal after "0x"; nothing for anything else.
std::optional<std::int64_t> ParseInteger(const std::string& text);

} // namespace lobby
