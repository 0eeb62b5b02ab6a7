// The decoding of skin and settings files on arbitrary bytes and selectors, with a
// stand-in ANSI code page, followed by the markup reader. Accepted UTF-8 is well-formed
// UTF-16 that encodes back to the very bytes read; every text made of valid code points
// is accepted unchanged; UTF-16 is taken unit by unit, in the order its mark says.
#include "FuzzInput.h"
#include "platform/ui/Markup.h"
#include "platform/ui/MarkupDecode.h"

#include <string>

using fuzz::Check;

namespace {

using DuiLib::CMarkup;

// Bytes 0x80 to 0x9F do not convert; the others stand for the same code point, in
// every code page.
bool StandInAnsi(unsigned, const unsigned char* data, std::size_t size, std::wstring& out) {
    for (std::size_t at = 0; at < size; ++at) {
        if (data[at] >= 0x80 && data[at] < 0xA0)
            return false;
        out += static_cast<wchar_t>(data[at]);
    }
    return true;
}

std::string ToUtf8(const std::wstring& units) {
    std::string bytes;
    for (std::size_t at = 0; at < units.size(); ++at) {
        unsigned long point = static_cast<unsigned long>(units[at]);
        if (point >= 0xD800 && point <= 0xDBFF && at + 1 < units.size()) {
            unsigned long low = static_cast<unsigned long>(units[at + 1]);
            Check(low >= 0xDC00 && low <= 0xDFFF);
            point = 0x10000 + ((point - 0xD800) << 10) + (low - 0xDC00);
            ++at;
        } else {
            Check(point < 0xD800 || point > 0xDFFF);
        }
        int extra = point < 0x80 ? 0 : point < 0x800 ? 1 : point < 0x10000 ? 2 : 3;
        static const unsigned char kLeads[] = {0x00, 0xC0, 0xE0, 0xF0};
        bytes += static_cast<char>(kLeads[extra] | (point >> (6 * extra)));
        for (int i = extra - 1; i >= 0; --i)
            bytes += static_cast<char>(0x80 | ((point >> (6 * i)) & 0x3F));
    }
    return bytes;
}

bool Decode(const std::string& bytes, int encoding, std::wstring& out) {
    return DuiLib::DecodeMarkupBytes(reinterpret_cast<const unsigned char*>(bytes.data()),
                                     bytes.size(), encoding, StandInAnsi, out);
}

bool Declared(const std::string& bytes) {
    return DuiLib::DeclaredCodePage(reinterpret_cast<const unsigned char*>(bytes.data()),
                                    bytes.size()) != 0;
}

// Bytes that declare a code page are that code page's text where it reads them all, and
// the selector's otherwise; a declared UTF-8 is the selector's reading.
void CheckDeclared(const std::string& bytes) {
    if (!Declared(bytes))
        return;
    std::wstring text, inCodePage, inUtf8;
    const bool accepted = Decode(bytes, CMarkup::XMLFILE_ENCODING_UTF8, text);
    const bool asUtf8 = Decode("\xEF\xBB\xBF" + bytes, CMarkup::XMLFILE_ENCODING_UTF8, inUtf8);
    const bool asCodePage =
        DuiLib::DeclaredCodePage(reinterpret_cast<const unsigned char*>(bytes.data()),
                                 bytes.size()) != 65001 &&
        StandInAnsi(0, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                    inCodePage);
    Check(accepted == (asCodePage || asUtf8));
    Check(!accepted || text == (asCodePage ? inCodePage : inUtf8));
}

// Arbitrary bytes read as UTF-8: behind its mark whatever the selector, and without it
// where the bytes do not start like a mark themselves.
void CheckUtf8(const std::string& bytes) {
    std::wstring marked;
    const bool accepted = Decode("\xEF\xBB\xBF" + bytes, CMarkup::XMLFILE_ENCODING_UNICODE, marked);
    if (accepted)
        Check(ToUtf8(marked) == bytes);
    const unsigned char first = bytes.empty() ? 0 : static_cast<unsigned char>(bytes[0]);
    if (first == 0xEF || first == 0xFE || first == 0xFF || Declared(bytes))
        return;
    std::wstring plain;
    Check(Decode(bytes, CMarkup::XMLFILE_ENCODING_UTF8, plain) == accepted);
    Check(!accepted || plain == marked);
}

// Code points built from the input: their UTF-8 form always decodes back to them.
void CheckValidUtf8(fuzz::Input& input) {
    std::wstring points;
    while (input.Remaining() >= 4) {
        unsigned long point = input.TakeUint16() | (input.TakeUint16() & 0x1Fu) << 16;
        point %= 0x110000;
        // A leading U+FEFF would be read as the byte-order mark.
        if ((point >= 0xD800 && point <= 0xDFFF) || (point == 0xFEFF && points.empty()))
            continue;
        if (point < 0x10000) {
            points += static_cast<wchar_t>(point);
        } else {
            points += static_cast<wchar_t>(0xD800 + ((point - 0x10000) >> 10));
            points += static_cast<wchar_t>(0xDC00 + ((point - 0x10000) & 0x3FF));
        }
    }
    const std::string bytes = ToUtf8(points);
    if (Declared(bytes))
        return;
    std::wstring text;
    Check(Decode(bytes, CMarkup::XMLFILE_ENCODING_UTF8, text));
    Check(text == points);
}

void CheckUtf16(const std::string& bytes, bool bigEndian) {
    std::wstring text;
    const std::string marked = (bigEndian ? "\xFE\xFF" : "\xFF\xFE") + bytes;
    const bool accepted = Decode(marked, CMarkup::XMLFILE_ENCODING_ANSI, text);
    Check(accepted == (bytes.size() % 2 == 0));
    if (!accepted)
        return;
    Check(text.size() == bytes.size() / 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto first = static_cast<unsigned char>(bytes[2 * i]);
        auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        Check(static_cast<unsigned long>(text[i]) ==
              (bigEndian ? first * 256ul + second : second * 256ul + first));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const unsigned selector = input.TakeUint16();
    if (selector & 0x100) {
        CheckValidUtf8(input);
        return 0;
    }
    const std::string bytes = input.RestAsBytes();
    CheckUtf8(bytes);
    CheckDeclared(bytes);
    CheckUtf16(bytes, selector & 0x200);
    // Whatever the selector, the text decoded goes through the markup reader.
    std::wstring text;
    if (Decode(bytes, static_cast<int>(selector & 0x3), text)) {
        CMarkup markup;
        if (markup.Load(text.data(), text.size()))
            Check(markup.GetRoot().IsValid());
    }
    return 0;
}
