#include "platform/win/DecimalNumber.h"

#include <limits>

namespace gs {

namespace {

template <typename Ch> bool IsSpace(Ch ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

template <typename Ch> int32_t ParseDecimal(const Ch* text) {
    if (!text)
        return 0;
    while (IsSpace(*text))
        ++text;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    // Accumulated as a magnitude that stops growing once past every 32-bit limit.
    const int64_t cap = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t magnitude = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        magnitude = magnitude * 10 + (*text - '0');
        if (magnitude > cap)
            magnitude = cap;
    }
    if (negative)
        return static_cast<int32_t>(-magnitude);
    return magnitude >= cap ? std::numeric_limits<int32_t>::max() : static_cast<int32_t>(magnitude);
}

} // namespace

int32_t ParseAnsiLong(const char* text) {
    return ParseDecimal(text);
}

int32_t ParseWideLong(const wchar_t* text) {
    return ParseDecimal(text);
}

} // namespace gs
