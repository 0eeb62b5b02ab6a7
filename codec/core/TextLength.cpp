// Finds the NUL that ends a text with aligned 16-byte loads. An aligned load never
// crosses a page boundary, so reading the whole block that holds the NUL, and the start
// of the first block before the text, is safe; it is not a read of anything the caller
// owns, which is why AddressSanitizer is told to leave this one function alone.
#include "codec/core/Kernels.h"

#include <cstring>
#include <emmintrin.h>
#include <string>

namespace gs::base64::detail {
namespace {

__attribute__((target("sse2"), no_sanitize_address, always_inline)) inline unsigned
NulMask(const char* block) {
    const __m128i units = _mm_load_si128(reinterpret_cast<const __m128i*>(block));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(units, _mm_setzero_si128())));
}

} // namespace

__attribute__((target("sse2"), no_sanitize_address)) std::size_t
TextLengthSse2(const char16_t* text) {
    const auto address = reinterpret_cast<std::uintptr_t>(text);
    if (address % 2 != 0)
        return std::char_traits<char16_t>::length(text);
    const auto* block = reinterpret_cast<const char*>(address & ~std::uintptr_t{15});
    // The bytes of the first block that lie before the text do not count.
    unsigned mask = NulMask(block) & (0xFFFFu << (address & 15));
    while (mask == 0) {
        block += 16;
        mask = NulMask(block);
    }
    const char* nul = block + __builtin_ctz(mask);
    return static_cast<std::size_t>(nul - reinterpret_cast<const char*>(text)) / 2;
}

} // namespace gs::base64::detail
