#include "launch/AnsiField.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace gs {

namespace {

// The length of the text in bytes, without a double-byte lead byte left dangling at
// the end when the field's width cut the text short.
size_t WholeCharacterBytes(const char* source, size_t sourceWidth) {
    size_t length = strnlen(source, sourceWidth);
    size_t at = 0;
    while (at < length) {
        bool lead = ::IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(source[at])) != FALSE;
        if (lead && at + 1 >= length)
            return at;
        at += lead ? 2 : 1;
    }
    return length;
}

bool IsHighSurrogate(wchar_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

} // namespace

void CopyAnsiText(const char* source, size_t sourceWidth, wchar_t* field, size_t capacity) {
    std::memset(field, 0, capacity * sizeof(wchar_t));
    if (!source || capacity < 2)
        return;
    int bytes = static_cast<int>(WholeCharacterBytes(source, sourceWidth));
    if (bytes == 0)
        return;
    int units = ::MultiByteToWideChar(CP_ACP, 0, source, bytes, nullptr, 0);
    if (units <= 0)
        return;
    std::vector<wchar_t> wide(static_cast<size_t>(units));
    units = ::MultiByteToWideChar(CP_ACP, 0, source, bytes, wide.data(), units);
    if (units <= 0)
        return;
    size_t keep = static_cast<size_t>(units);
    if (keep > capacity - 2) {
        keep = capacity - 2;
        if (keep > 0 && IsHighSurrogate(wide[keep - 1]))
            --keep;
    }
    std::memcpy(field, wide.data(), keep * sizeof(wchar_t));
}

} // namespace gs
