#include "launch/AnsiField.h"
#include "launch/AnsiText.h"

#include <windows.h>

namespace gs {

namespace {

bool IsActiveLeadByte(unsigned char byte) {
    return ::IsDBCSLeadByteEx(CP_ACP, byte) != FALSE;
}

std::wstring WidenActive(const char* bytes, size_t count) {
    int length = static_cast<int>(count);
    int units = ::MultiByteToWideChar(CP_ACP, 0, bytes, length, nullptr, 0);
    if (units <= 0)
        return {};
    std::wstring wide(static_cast<size_t>(units), L'\0');
    units = ::MultiByteToWideChar(CP_ACP, 0, bytes, length, wide.data(), units);
    if (units <= 0)
        return {};
    wide.resize(static_cast<size_t>(units));
    return wide;
}

constexpr AnsiCodePage kActiveCodePage{IsActiveLeadByte, WidenActive};

} // namespace

void CopyAnsiText(const char* source, size_t sourceWidth, wchar_t* field, size_t capacity) {
    CopyAnsiText(kActiveCodePage, source, sourceWidth, field, capacity);
}

} // namespace gs
