#include "platform/ui/UIAttributes.h"
#include "platform/win/HexDigit.h"

#include <cwchar>

namespace DuiLib {

namespace {

// Reads comma-separated integers into out; exactly count of them, nothing else.
bool ParseIntList(LPCTSTR value, long* out, int count) {
    if (!value)
        return false;
    const wchar_t* p = value;
    for (int i = 0; i < count; ++i) {
        while (*p == L' ')
            ++p;
        wchar_t* end = nullptr;
        long number = std::wcstol(p, &end, 10);
        if (end == p)
            return false;
        p = end;
        while (*p == L' ')
            ++p;
        if (i + 1 < count && *p++ != L',')
            return false;
        out[i] = number;
    }
    return *p == 0;
}

} // namespace

bool ParseTextAttribute(LPCTSTR value, LPCTSTR& text) {
    text = value;
    return value != nullptr;
}

bool ParseColorAttribute(LPCTSTR value, DWORD& color) {
    if (!value || value[0] != L'#')
        return false;
    size_t length = std::wcslen(value + 1);
    if (length != 6 && length != 8)
        return false;
    DWORD parsed = 0;
    for (size_t i = 1; i <= length; ++i) {
        int digit = gs::HexDigitValue(value[i]);
        if (digit < 0)
            return false;
        parsed = parsed << 4 | static_cast<DWORD>(digit);
    }
    color = length == 6 ? parsed | 0xFF000000 : parsed;
    return true;
}

bool ParseIntAttribute(LPCTSTR value, int& number) {
    long parsed = 0;
    if (!ParseIntList(value, &parsed, 1))
        return false;
    number = static_cast<int>(parsed);
    return true;
}

bool ParseBoolAttribute(LPCTSTR value, bool& flag) {
    if (!value)
        return false;
    if (std::wcscmp(value, L"true") == 0)
        flag = true;
    else if (std::wcscmp(value, L"false") == 0)
        flag = false;
    else
        return false;
    return true;
}

bool ParseSizeAttribute(LPCTSTR value, SIZE& size) {
    long parsed[2];
    if (!ParseIntList(value, parsed, 2))
        return false;
    size = SIZE{parsed[0], parsed[1]};
    return true;
}

bool ParseRectAttribute(LPCTSTR value, RECT& rect) {
    long parsed[4];
    if (!ParseIntList(value, parsed, 4))
        return false;
    rect = RECT{parsed[0], parsed[1], parsed[2], parsed[3]};
    return true;
}

} // namespace DuiLib
