#include "platform/ui/MarkupDecode.h"

#include "platform/ui/Markup.h"

namespace DuiLib {

namespace {

// What a UTF-8 lead byte says of its sequence. The second byte's range is narrower
// after E0, ED, F0 and F4: that is what rules out overlong forms, encoded surrogates
// and values beyond U+10FFFF.
struct Utf8Lead {
    unsigned length; // bytes in the sequence
    unsigned value;  // the lead byte's bits of the code point
    unsigned secondLow = 0x80;
    unsigned secondHigh = 0xBF;
};

bool ReadUtf8Lead(unsigned byte, Utf8Lead& lead) {
    if (byte < 0x80)
        lead = {1, byte};
    else if (byte >= 0xC2 && byte <= 0xDF)
        lead = {2, byte & 0x1Fu};
    else if (byte >= 0xE0 && byte <= 0xEF)
        lead = {3, byte & 0x0Fu, byte == 0xE0 ? 0xA0u : 0x80u, byte == 0xED ? 0x9Fu : 0xBFu};
    else if (byte >= 0xF0 && byte <= 0xF4)
        lead = {4, byte & 0x07u, byte == 0xF0 ? 0x90u : 0x80u, byte == 0xF4 ? 0x8Fu : 0xBFu};
    else
        return false;
    return true;
}

void AppendUtf16(unsigned codePoint, std::wstring& out) {
    if (codePoint < 0x10000) {
        out += static_cast<wchar_t>(codePoint);
        return;
    }
    codePoint -= 0x10000;
    out += static_cast<wchar_t>(0xD800 + (codePoint >> 10));
    out += static_cast<wchar_t>(0xDC00 + (codePoint & 0x3FF));
}

bool FromUtf8(const unsigned char* data, std::size_t size, std::wstring& out) {
    out.clear();
    out.reserve(size);
    for (std::size_t at = 0; at < size;) {
        Utf8Lead lead;
        if (!ReadUtf8Lead(data[at], lead) || size - at < lead.length)
            return false;
        unsigned codePoint = lead.value;
        for (unsigned i = 1; i < lead.length; ++i) {
            unsigned next = data[at + i];
            bool inRange = i == 1 ? next >= lead.secondLow && next <= lead.secondHigh
                                  : next >= 0x80 && next <= 0xBF;
            if (!inRange)
                return false;
            codePoint = codePoint << 6 | (next & 0x3Fu);
        }
        AppendUtf16(codePoint, out);
        at += lead.length;
    }
    return true;
}

bool FromUtf16(const unsigned char* data, std::size_t size, bool bigEndian, std::wstring& out) {
    if (size % 2)
        return false;
    out.resize(size / 2);
    for (std::size_t i = 0; i < out.size(); ++i) {
        unsigned first = data[2 * i], second = data[2 * i + 1];
        out[i] = static_cast<wchar_t>(bigEndian ? first << 8 | second : second << 8 | first);
    }
    return true;
}

bool FromCodePage(const unsigned char* data, std::size_t size, unsigned codePage,
                  CodePageToWide convert, std::wstring& out) {
    out.clear();
    return size == 0 || (convert && convert(codePage, data, size, out));
}

constexpr unsigned kUtf8CodePage = 65001;

bool StartsWith(const unsigned char* data, std::size_t size, const char* mark, std::size_t length) {
    return size >= length &&
           std::char_traits<char>::compare(reinterpret_cast<const char*>(data), mark, length) == 0;
}

} // namespace

bool DecodeMarkupBytes(const unsigned char* data, std::size_t size, int encoding,
                       CodePageToWide convert, std::wstring& out) {
    if (StartsWith(data, size, "\xEF\xBB\xBF", 3))
        return FromUtf8(data + 3, size - 3, out);
    if (StartsWith(data, size, "\xFF\xFE", 2))
        return FromUtf16(data + 2, size - 2, false, out);
    if (StartsWith(data, size, "\xFE\xFF", 2))
        return FromUtf16(data + 2, size - 2, true, out);
    const unsigned declared = DeclaredCodePage(data, size);
    if (declared == kUtf8CodePage && FromUtf8(data, size, out))
        return true;
    if (declared != 0 && declared != kUtf8CodePage &&
        FromCodePage(data, size, declared, convert, out))
        return true;
    switch (encoding) {
    case CMarkup::XMLFILE_ENCODING_UTF8:
        return FromUtf8(data, size, out);
    case CMarkup::XMLFILE_ENCODING_UNICODE:
        return FromUtf16(data, size, false, out);
    case CMarkup::XMLFILE_ENCODING_ANSI:
        return FromCodePage(data, size, kAnsiCodePage, convert, out);
    default:
        return false;
    }
}

} // namespace DuiLib
