#pragma once
// Turning the bytes of a skin or settings file into UTF-16 text for the markup reader.
// Portable: code pages come in as a function, so the decoding also builds
// natively for the fuzzer.
#include <cstddef>
#include <string>

namespace DuiLib {

// Converts bytes of a code page into UTF-16; false when they cannot be converted (the
// machine lacks the code page, or the bytes are not text in it). kAnsiCodePage is the
// system's ANSI code page. Without a converter, only UTF-8 and UTF-16 text is read.
inline constexpr unsigned kAnsiCodePage = 0;
using CodePageToWide = bool (*)(unsigned codePage, const unsigned char* data, std::size_t size,
                                std::wstring& out);

// A byte-order mark (UTF-8, UTF-16 little- or big-endian) decides the encoding, else the
// XML declaration's encoding (UTF-8 or a code page of DeclaredCodePage), else the
// selector (CMarkup::XMLFILE_ENCODING_*). Text that the declared encoding cannot read
// is read by the selector. UTF-8 is read strictly: an overlong form, an encoded
// surrogate, a value beyond U+10FFFF or a cut sequence refuses the whole text, as does
// an odd number of UTF-16 bytes or an unknown selector.
bool DecodeMarkupBytes(const unsigned char* data, std::size_t size, int encoding,
                       CodePageToWide convert, std::wstring& out);

// The code page that the declaration at the start of the bytes names (65001 for UTF-8),
// or 0 when there is no declaration or no encoding this reader knows in it.
unsigned DeclaredCodePage(const unsigned char* data, std::size_t size);

} // namespace DuiLib
