// The registered browser's command line typically quotes the address ("%1"): a quote,
// a blank or a shell metacharacter in the movie's text would end the address and add
// arguments of the movie's choosing. Only the characters an address may hold at all
// get through, so the text can never be more than one argument.
#include "flash/WebAddress.h"

#include "platform/win/HexDigit.h"

#include <cwchar>
#include <cwctype>
#include <initializer_list>

namespace gs {

namespace {

// Length of the scheme and its "//", or 0 when the text is no http or https address.
size_t SchemeLength(const wchar_t* text) {
    for (const wchar_t* scheme : {L"http://", L"https://"}) {
        size_t length = std::wcslen(scheme);
        size_t at = 0;
        while (at < length &&
               std::towlower(static_cast<wint_t>(text[at])) == static_cast<wint_t>(scheme[at]))
            ++at;
        if (at == length)
            return length;
    }
    return 0;
}

bool IsAsciiLetterOrDigit(wchar_t ch) {
    return (ch >= L'a' && ch <= L'z') || (ch >= L'A' && ch <= L'Z') || (ch >= L'0' && ch <= L'9');
}

// Unreserved, reserved, and '%' followed by two hex digits.
bool AllAddressCharacters(const wchar_t* text) {
    for (const wchar_t* p = text; *p; ++p) {
        if (*p == L'%') {
            if (HexDigitValue(p[1]) < 0 || HexDigitValue(p[2]) < 0)
                return false;
            p += 2;
        } else if (!IsAsciiLetterOrDigit(*p) && !std::wcschr(L"-._~:/?#[]@!$&'()*+,;=", *p)) {
            return false;
        }
    }
    return true;
}

// The authority runs to the first '/', '?' or '#'; its host follows any "user@" and
// comes before any ":port".
bool HasHost(const wchar_t* authority) {
    size_t end = std::wcscspn(authority, L"/?#");
    size_t start = 0;
    for (size_t at = 0; at < end; ++at) {
        if (authority[at] == L'@')
            start = at + 1;
    }
    return start < end && authority[start] != L':';
}

// Counts no further than the bound: the text may be as long as the movie likes.
bool WithinLengthBound(const wchar_t* text) {
    for (unsigned length = 0; length <= kMaxWebAddressLength; ++length) {
        if (text[length] == L'\0')
            return true;
    }
    return false;
}

} // namespace

bool IsWebAddress(const wchar_t* text) {
    if (!text || !WithinLengthBound(text))
        return false;
    size_t scheme = SchemeLength(text);
    return scheme != 0 && AllAddressCharacters(text) && HasHost(text + scheme);
}

} // namespace gs
