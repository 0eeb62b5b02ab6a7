#include "flash/WebAddress.h"

#include <cwctype>

namespace gs {

namespace {

bool StartsWithNoCase(const wchar_t* text, const wchar_t* prefix) {
    for (; *prefix; ++text, ++prefix) {
        if (std::towlower(static_cast<wint_t>(*text)) != static_cast<wint_t>(*prefix))
            return false;
    }
    return true;
}

bool IsControl(wchar_t ch) {
    return ch < 0x20 || (ch >= 0x7F && ch <= 0x9F);
}

} // namespace

bool IsWebAddress(const wchar_t* text) {
    if (!text || !(StartsWithNoCase(text, L"http://") || StartsWithNoCase(text, L"https://")))
        return false;
    for (const wchar_t* p = text; *p; ++p) {
        if (IsControl(*p))
            return false;
    }
    return true;
}

} // namespace gs
