#pragma once
// Scans of long UTF-16 texts eight units at a time. A request that carries a whole file
// is tens of millions of units long, and the C library's wcslen and wmemchr look at one
// unit at a time. Portable: where wchar_t is not 16 bits, or the processor has no SSE2,
// the scans fall back to the plain loops.
#include <cstddef>
#include <string_view>

namespace gs {

// The length of a NUL-terminated text.
std::size_t WideLength(const wchar_t* text);

// A NUL-terminated text as a view, measured once; null reads as empty.
inline std::wstring_view WideView(const wchar_t* text) {
    return text ? std::wstring_view(text, WideLength(text)) : std::wstring_view();
}

// The position of the first `unit` in `text` at or after `from`, or npos.
std::size_t FindWide(std::wstring_view text, wchar_t unit, std::size_t from = 0);

// The position of the first `unit` or `other` in `text` at or after `from`, or npos: one
// pass where two searches would read a long text twice.
std::size_t FindEitherWide(std::wstring_view text, wchar_t unit, wchar_t other,
                           std::size_t from = 0);

} // namespace gs
