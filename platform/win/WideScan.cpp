#include "platform/win/WideScan.h"

#include <cstdint>
#include <cwchar>

#if (defined(__i386__) || defined(__x86_64__)) && __SIZEOF_WCHAR_T__ == 2
#include <emmintrin.h>
#define GS_WIDE_SCAN_SSE2 1
#endif

namespace gs {

namespace {

std::size_t FindEitherPlain(std::wstring_view text, wchar_t unit, wchar_t other, std::size_t from) {
    for (; from < text.size(); ++from) {
        if (text[from] == unit || text[from] == other)
            return from;
    }
    return std::wstring_view::npos;
}

} // namespace

#if GS_WIDE_SCAN_SSE2

namespace {

bool HasSse2() {
    static const bool sse2 = __builtin_cpu_supports("sse2");
    return sse2;
}

// One bit per byte of the eight units of the aligned block that equal `unit`.
[[gnu::target("sse2"), gnu::always_inline]] inline unsigned AlignedMatchMask(const void* block,
                                                                             __m128i unit) {
    const __m128i eight = _mm_load_si128(static_cast<const __m128i*>(block));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(eight, unit)));
}

// The same for eight units anywhere that equal either of two.
[[gnu::target("sse2"), gnu::always_inline]] inline unsigned MatchMask(const wchar_t* units,
                                                                      __m128i unit, __m128i other) {
    const __m128i eight = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units));
    return static_cast<unsigned>(_mm_movemask_epi8(
        _mm_or_si128(_mm_cmpeq_epi16(eight, unit), _mm_cmpeq_epi16(eight, other))));
}

// An aligned 16-byte load never crosses a page boundary, so the block holding the NUL
// may be read whole, as may the bytes of the first block that lie before the text.
[[gnu::target("sse2"), gnu::no_sanitize_address]] std::size_t WideLengthSse2(const wchar_t* text) {
    const auto address = reinterpret_cast<std::uintptr_t>(text);
    const auto* block = reinterpret_cast<const char*>(address & ~std::uintptr_t{15});
    const __m128i nul = _mm_setzero_si128();
    unsigned mask = AlignedMatchMask(block, nul) & (0xFFFFu << (address & 15));
    while (mask == 0) {
        block += 16;
        mask = AlignedMatchMask(block, nul);
    }
    return static_cast<std::size_t>(block + __builtin_ctz(mask) -
                                    reinterpret_cast<const char*>(text)) /
           sizeof(wchar_t);
}

[[gnu::target("sse2")]] std::size_t FindEitherSse2(std::wstring_view text, wchar_t unit,
                                                   wchar_t other, std::size_t from) {
    const __m128i wanted = _mm_set1_epi16(static_cast<short>(unit));
    const __m128i alternative = _mm_set1_epi16(static_cast<short>(other));
    for (; from + 8 <= text.size(); from += 8) {
        if (unsigned mask = MatchMask(text.data() + from, wanted, alternative))
            return from + static_cast<std::size_t>(__builtin_ctz(mask)) / sizeof(wchar_t);
    }
    return FindEitherPlain(text, unit, other, from);
}

} // namespace

std::size_t WideLength(const wchar_t* text) {
    return HasSse2() && reinterpret_cast<std::uintptr_t>(text) % sizeof(wchar_t) == 0
               ? WideLengthSse2(text)
               : std::wcslen(text);
}

std::size_t FindEitherWide(std::wstring_view text, wchar_t unit, wchar_t other, std::size_t from) {
    return HasSse2() ? FindEitherSse2(text, unit, other, from)
                     : FindEitherPlain(text, unit, other, from);
}

#else

std::size_t WideLength(const wchar_t* text) {
    return std::wcslen(text);
}

std::size_t FindEitherWide(std::wstring_view text, wchar_t unit, wchar_t other, std::size_t from) {
    return FindEitherPlain(text, unit, other, from);
}

#endif

std::size_t FindWide(std::wstring_view text, wchar_t unit, std::size_t from) {
    return FindEitherWide(text, unit, unit, from);
}

} // namespace gs
