#pragma once
// Turning the bytes of a skin or settings file into UTF-16 text for the markup reader.
// Portable: the ANSI code page comes in as a function, so the decoding also builds
// natively for the fuzzer.
#include <cstddef>
#include <string>

namespace DuiLib {

// Converts bytes of the ANSI code page into UTF-16; false when they cannot be converted.
// Without one, ANSI text is refused.
using AnsiToWide = bool (*)(const unsigned char* data, std::size_t size, std::wstring& out);

// A byte-order mark (UTF-8, UTF-16 little- or big-endian) decides the encoding, else
// the selector (CMarkup::XMLFILE_ENCODING_*). UTF-8 is read strictly: an overlong
// form, an encoded surrogate, a value beyond U+10FFFF or a cut sequence refuses the
// whole text, as does an odd number of UTF-16 bytes or an unknown selector.
bool DecodeMarkupBytes(const unsigned char* data, std::size_t size, int encoding, AnsiToWide ansi,
                       std::wstring& out);

} // namespace DuiLib
