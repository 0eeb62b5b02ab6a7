#include "flash/XmlEscape.h"

#include <string>

namespace gs {

namespace {

const wchar_t* EntityFor(wchar_t ch) {
    switch (ch) {
    case L'&':
        return L"&amp;";
    case L'<':
        return L"&lt;";
    case L'>':
        return L"&gt;";
    case L'"':
        return L"&quot;";
    case L'\'':
        return L"&apos;";
    default:
        return nullptr;
    }
}

} // namespace

DuiLib::CDuiString XmlEscape(const wchar_t* text) {
    std::wstring out;
    for (const wchar_t* p = text; p && *p; ++p) {
        if (const wchar_t* entity = EntityFor(*p))
            out += entity;
        else
            out += *p;
    }
    return DuiLib::CDuiString(out.c_str(), static_cast<int>(out.size()));
}

} // namespace gs
