// 128-bit kernels: 12 bytes to 16 units per step on encode, 16 units to 12 bytes on
// decode. Written for the 8 xmm registers of 32-bit mode: one block in flight, the
// constants left to the compiler as memory operands where registers run out.
#include "codec/core/Kernels.h"

#include <immintrin.h>

#define GS_SSSE3 __attribute__((target("ssse3")))
#define GS_SSSE3_INLINE __attribute__((target("ssse3"), always_inline)) inline

namespace gs::base64::detail {
namespace {

// Spreads the 12 source bytes so that each 32-bit lane holds one 3-byte group, and cuts
// each group into its four 6-bit indices, one per byte.
GS_SSSE3_INLINE __m128i SplitIntoSextets(__m128i bytes) {
    const __m128i spread =
        _mm_shuffle_epi8(bytes, _mm_setr_epi8(1, 0, 2, 1, 4, 3, 5, 4, 7, 6, 8, 7, 10, 9, 11, 10));
    const __m128i high = _mm_mulhi_epu16(_mm_and_si128(spread, _mm_set1_epi32(0x0FC0FC00)),
                                         _mm_set1_epi32(0x04000040));
    const __m128i low = _mm_mullo_epi16(_mm_and_si128(spread, _mm_set1_epi32(0x003F03F0)),
                                        _mm_set1_epi32(0x01000010));
    return _mm_or_si128(high, low);
}

// Index 0..63 to its alphabet character: classify into the five ranges of the alphabet
// and add that range's offset.
GS_SSSE3_INLINE __m128i SextetsToAscii(__m128i sextets) {
    __m128i range = _mm_subs_epu8(sextets, _mm_set1_epi8(51));
    const __m128i upper = _mm_cmpgt_epi8(_mm_set1_epi8(26), sextets);
    range = _mm_or_si128(range, _mm_and_si128(upper, _mm_set1_epi8(13)));
    const __m128i offsets =
        _mm_setr_epi8('a' - 26, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52,
                      '0' - 52, '0' - 52, '0' - 52, '0' - 52, '+' - 62, '/' - 63, 'A', 0, 0);
    return _mm_add_epi8(_mm_shuffle_epi8(offsets, range), sextets);
}

// Validates 16 narrowed characters and turns them into sextets. A character is valid when
// the class bit of its high nibble is not among the bits its low nibble forbids.
GS_SSSE3_INLINE bool AsciiToSextets(__m128i ascii, __m128i* sextets) {
    const __m128i nibble = _mm_set1_epi8(0x0F);
    const __m128i highNibbles = _mm_and_si128(_mm_srli_epi32(ascii, 4), nibble);
    const __m128i forbidden =
        _mm_shuffle_epi8(_mm_setr_epi8(0x15, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11,
                                       0x13, 0x1A, 0x1B, 0x1B, 0x1B, 0x1A),
                         _mm_and_si128(ascii, nibble));
    const __m128i classes =
        _mm_shuffle_epi8(_mm_setr_epi8(0x10, 0x10, 0x01, 0x02, 0x04, 0x08, 0x04, 0x08, 0x10, 0x10,
                                       0x10, 0x10, 0x10, 0x10, 0x10, 0x10),
                         highNibbles);
    const __m128i clash = _mm_and_si128(forbidden, classes);
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(clash, _mm_setzero_si128())) != 0xFFFF)
        return false;
    // '/' shares its high nibble with '+' and needs its own offset: it moves to slot 1.
    const __m128i slot = _mm_add_epi8(_mm_cmpeq_epi8(ascii, _mm_set1_epi8('/')), highNibbles);
    const __m128i offsets = _mm_setr_epi8(0, 16, 19, 4, -65, -65, -71, -71, 0, 0, 0, 0, 0, 0, 0, 0);
    *sextets = _mm_add_epi8(ascii, _mm_shuffle_epi8(offsets, slot));
    return true;
}

// Four sextets per 32-bit lane to three bytes, the 12 bytes packed at the low end.
GS_SSSE3_INLINE __m128i JoinSextets(__m128i sextets) {
    const __m128i pairs = _mm_maddubs_epi16(sextets, _mm_set1_epi32(0x01400140));
    const __m128i groups = _mm_madd_epi16(pairs, _mm_set1_epi32(0x00011000));
    return _mm_shuffle_epi8(groups,
                            _mm_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1));
}

} // namespace

GS_SSSE3 std::size_t EncodeBlocksSsse3(const std::uint8_t* source, std::size_t byteCount,
                                       char16_t* destination) {
    std::size_t done = 0;
    auto* out = reinterpret_cast<__m128i*>(destination);
    // Each load reads 16 bytes and uses 12.
    for (; byteCount - done >= 16; done += 12, out += 2) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + done));
        const __m128i ascii = SextetsToAscii(SplitIntoSextets(bytes));
        _mm_storeu_si128(out, _mm_unpacklo_epi8(ascii, _mm_setzero_si128()));
        _mm_storeu_si128(out + 1, _mm_unpackhi_epi8(ascii, _mm_setzero_si128()));
    }
    return done;
}

GS_SSSE3 Progress DecodeBlocksSsse3(const char16_t* text, std::size_t unitCount,
                                    std::uint8_t* destination, std::size_t capacity) {
    Progress progress;
    // Each store writes 16 bytes and keeps 12.
    while (unitCount - progress.consumed >= 16 && capacity - progress.produced >= 16) {
        const auto* in = reinterpret_cast<const __m128i*>(text + progress.consumed);
        // Saturation maps every unit above 0xFF to 0xFF or 0x00, neither of them Base64.
        const __m128i ascii = _mm_packus_epi16(_mm_loadu_si128(in), _mm_loadu_si128(in + 1));
        __m128i sextets;
        if (!AsciiToSextets(ascii, &sextets))
            break;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(destination + progress.produced),
                         JoinSextets(sextets));
        progress.consumed += 16;
        progress.produced += 12;
    }
    return progress;
}

} // namespace gs::base64::detail
