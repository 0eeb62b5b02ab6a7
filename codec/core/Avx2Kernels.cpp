// 256-bit kernels: 24 bytes to 32 units per step on encode, 32 units to 24 bytes on
// decode. The byte shuffles work within each 128-bit lane, so each lane does what the
// 128-bit kernel does and the lanes are arranged around that. 32-bit mode has 8 ymm
// registers: one block in flight, constants as memory operands where registers run out.
#include "codec/core/Kernels.h"

#include <immintrin.h>

#define GS_AVX2 __attribute__((target("avx2")))
#define GS_AVX2_INLINE __attribute__((target("avx2"), always_inline)) inline

namespace gs::base64::detail {
namespace {

GS_AVX2_INLINE __m256i Repeat(__m128i lane) {
    return _mm256_broadcastsi128_si256(lane);
}

// Each lane spreads its 12 bytes into four 3-byte groups and cuts them into sextets.
GS_AVX2_INLINE __m256i SplitIntoSextets(__m256i bytes) {
    const __m256i spread = _mm256_shuffle_epi8(
        bytes, Repeat(_mm_setr_epi8(1, 0, 2, 1, 4, 3, 5, 4, 7, 6, 8, 7, 10, 9, 11, 10)));
    const __m256i high = _mm256_mulhi_epu16(_mm256_and_si256(spread, _mm256_set1_epi32(0x0FC0FC00)),
                                            _mm256_set1_epi32(0x04000040));
    const __m256i low = _mm256_mullo_epi16(_mm256_and_si256(spread, _mm256_set1_epi32(0x003F03F0)),
                                           _mm256_set1_epi32(0x01000010));
    return _mm256_or_si256(high, low);
}

GS_AVX2_INLINE __m256i SextetsToAscii(__m256i sextets) {
    __m256i range = _mm256_subs_epu8(sextets, _mm256_set1_epi8(51));
    const __m256i upper = _mm256_cmpgt_epi8(_mm256_set1_epi8(26), sextets);
    range = _mm256_or_si256(range, _mm256_and_si256(upper, _mm256_set1_epi8(13)));
    const __m256i offsets = Repeat(_mm_setr_epi8('a' - 26, '0' - 52, '0' - 52, '0' - 52, '0' - 52,
                                                 '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52,
                                                 '0' - 52, '+' - 62, '/' - 63, 'A', 0, 0));
    return _mm256_add_epi8(_mm256_shuffle_epi8(offsets, range), sextets);
}

GS_AVX2_INLINE bool AsciiToSextets(__m256i ascii, __m256i* sextets) {
    const __m256i nibble = _mm256_set1_epi8(0x0F);
    const __m256i highNibbles = _mm256_and_si256(_mm256_srli_epi32(ascii, 4), nibble);
    const __m256i forbidden =
        _mm256_shuffle_epi8(Repeat(_mm_setr_epi8(0x15, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11,
                                                 0x11, 0x11, 0x13, 0x1A, 0x1B, 0x1B, 0x1B, 0x1A)),
                            _mm256_and_si256(ascii, nibble));
    const __m256i classes =
        _mm256_shuffle_epi8(Repeat(_mm_setr_epi8(0x10, 0x10, 0x01, 0x02, 0x04, 0x08, 0x04, 0x08,
                                                 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10)),
                            highNibbles);
    if (!_mm256_testz_si256(forbidden, classes))
        return false;
    const __m256i slot =
        _mm256_add_epi8(_mm256_cmpeq_epi8(ascii, _mm256_set1_epi8('/')), highNibbles);
    const __m256i offsets =
        Repeat(_mm_setr_epi8(0, 16, 19, 4, -65, -65, -71, -71, 0, 0, 0, 0, 0, 0, 0, 0));
    *sextets = _mm256_add_epi8(ascii, _mm256_shuffle_epi8(offsets, slot));
    return true;
}

// Each lane joins its sextets into 12 bytes; the two 12-byte runs are then moved together
// into the low 24 bytes.
GS_AVX2_INLINE __m256i JoinSextets(__m256i sextets) {
    const __m256i pairs = _mm256_maddubs_epi16(sextets, _mm256_set1_epi32(0x01400140));
    const __m256i groups = _mm256_madd_epi16(pairs, _mm256_set1_epi32(0x00011000));
    const __m256i packed = _mm256_shuffle_epi8(
        groups, Repeat(_mm_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1)));
    return _mm256_permutevar8x32_epi32(packed, _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 3, 7));
}

} // namespace

GS_AVX2 std::size_t EncodeBlocksAvx2(const std::uint8_t* source, std::size_t byteCount,
                                     char16_t* destination) {
    std::size_t done = 0;
    auto* out = reinterpret_cast<__m256i*>(destination);
    // The two lanes load 16 bytes each, at offsets 0 and 12: 28 bytes read, 24 used.
    for (; byteCount - done >= 28; done += 24, out += 2) {
        const auto* in = source + done;
        const __m256i bytes = _mm256_inserti128_si256(
            _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in))),
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 12)), 1);
        const __m256i ascii = SextetsToAscii(SplitIntoSextets(bytes));
        // Widening fused into the stores: each half of the characters becomes 16 units.
        _mm256_storeu_si256(out, _mm256_cvtepu8_epi16(_mm256_castsi256_si128(ascii)));
        _mm256_storeu_si256(out + 1, _mm256_cvtepu8_epi16(_mm256_extracti128_si256(ascii, 1)));
    }
    return done;
}

GS_AVX2 Progress DecodeBlocksAvx2(const char16_t* text, std::size_t unitCount,
                                  std::uint8_t* destination, std::size_t capacity) {
    Progress progress;
    // Each store writes 32 bytes and keeps 24.
    while (unitCount - progress.consumed >= 32 && capacity - progress.produced >= 32) {
        const auto* in = reinterpret_cast<const __m256i*>(text + progress.consumed);
        // packus narrows within lanes (units 0-7, 16-23 | 8-15, 24-31); the permute puts the
        // 64-bit quarters back in text order. Saturation keeps units above 0xFF invalid.
        const __m256i ascii = _mm256_permute4x64_epi64(
            _mm256_packus_epi16(_mm256_loadu_si256(in), _mm256_loadu_si256(in + 1)), 0xD8);
        __m256i sextets;
        if (!AsciiToSextets(ascii, &sextets))
            break;
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(destination + progress.produced),
                            JoinSextets(sextets));
        progress.consumed += 32;
        progress.produced += 24;
    }
    return progress;
}

} // namespace gs::base64::detail
