#include "launch/AnsiText.h"

#include <cstring>

namespace gs {

namespace {

// The length of the text in bytes, without a double-byte lead byte left dangling at
// the end when the field's width (or a NUL) cut the text short.
size_t WholeCharacterBytes(const AnsiCodePage& codePage, const char* source, size_t sourceWidth) {
    const void* nul = std::memchr(source, 0, sourceWidth);
    size_t length = nul ? static_cast<size_t>(static_cast<const char*>(nul) - source) : sourceWidth;
    size_t at = 0;
    while (at < length) {
        bool lead = codePage.isLeadByte(static_cast<unsigned char>(source[at]));
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

void CopyAnsiText(const AnsiCodePage& codePage, const char* source, size_t sourceWidth,
                  wchar_t* field, size_t capacity) {
    std::memset(field, 0, capacity * sizeof(wchar_t));
    if (!source || capacity < 2)
        return;
    size_t bytes = WholeCharacterBytes(codePage, source, sourceWidth);
    if (bytes == 0)
        return;
    std::wstring wide = codePage.widen(source, bytes);
    size_t keep = wide.size();
    if (keep > capacity - 2) {
        keep = capacity - 2;
        if (keep > 0 && IsHighSurrogate(wide[keep - 1]))
            --keep;
    }
    std::memcpy(field, wide.data(), keep * sizeof(wchar_t));
}

} // namespace gs
