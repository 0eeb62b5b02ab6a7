// The launch numbers on arbitrary text: atol and wcstol rules at every limit, checked
// against a reference that counts digits instead of accumulating them, and, for narrow
// text, against the C library's strtoll clamped to 32 bits.
#include "FuzzInput.h"
#include "launch/LaunchNumbers.h"
#include "platform/win/DecimalNumber.h"

#include <algorithm>
#include <string>

using fuzz::Check;

namespace {

template <typename Ch> bool IsCSpace(Ch ch) {
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}

template <typename Text> std::int32_t Reference(const Text& text) {
    std::size_t at = 0;
    while (at < text.size() && IsCSpace(text[at]))
        ++at;
    const bool negative = at < text.size() && text[at] == '-';
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        ++at;
    while (at < text.size() && text[at] == '0')
        ++at;
    std::size_t digits = 0;
    std::int64_t value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at, ++digits)
        if (digits < 12)
            value = value * 10 + (text[at] - '0');
    if (digits >= 12)
        value = std::int64_t{1} << 40;
    value = negative ? -value : value;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

std::int32_t LibraryReference(const std::string& text) {
    return static_cast<std::int32_t>(
        std::clamp<long long>(std::strtoll(text.c_str(), nullptr, 10), INT32_MIN, INT32_MAX));
}

template <typename Text> Text UpToNul(const Text& text) {
    return text.substr(0, text.find(typename Text::value_type{}));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string narrow = UpToNul(fuzz::Input(data, size).RestAsBytes());
    Check(gs::ParseAnsiLong(narrow.c_str()) == Reference(narrow));
    Check(gs::ParseAnsiLong(narrow.c_str()) == LibraryReference(narrow));

    fuzz::Input input(data, size);
    const std::wstring wide = UpToNul(fuzz::AsWide(input.RestAsUnits()));
    Check(gs::ParseWideLong(wide.c_str()) == Reference(wide));
    // The room number reads characters two to six of the first six.
    const std::wstring firstSix = wide.substr(0, 6);
    const std::wstring lastFive = firstSix.substr(firstSix.size() > 5 ? firstSix.size() - 5 : 0);
    Check(gs::RoomNumberFromText(wide.c_str()) == Reference(lastFive));
    return 0;
}
