#pragma once
// Shared by the codec suites: an independent bit-by-bit reference encoder, random data,
// and the processor paths as a test parameter.
#include "codec/core/Base64Core.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace codec_test {

using Bytes = std::vector<std::uint8_t>;

// Accumulates bits and emits one character per 6 of them; written without any table
// trick so that it shares nothing with the library.
inline std::u16string ReferenceEncode(const Bytes& bytes) {
    static const char alphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::u16string text;
    std::uint32_t bits = 0;
    int held = 0;
    for (std::uint8_t byte : bytes) {
        bits = bits << 8 | byte;
        held += 8;
        while (held >= 6) {
            held -= 6;
            text += static_cast<char16_t>(alphabet[(bits >> held) & 63]);
        }
    }
    if (held > 0)
        text += static_cast<char16_t>(alphabet[(bits << (6 - held)) & 63]);
    while (text.size() % 4 != 0)
        text += u'=';
    return text;
}

inline Bytes RandomBytes(std::size_t count, std::uint32_t seed) {
    std::mt19937 random(seed);
    Bytes bytes(count);
    for (auto& byte : bytes)
        byte = static_cast<std::uint8_t>(random());
    return bytes;
}

inline Bytes AsBytes(const char* text) {
    return Bytes(text, text + std::char_traits<char>::length(text));
}

struct Decoded {
    std::ptrdiff_t result = 0;
    Bytes bytes;
};

// Decodes into a buffer of exactly the size the text may need (heap, so that a sanitizer
// sees any write past it); bytes holds what the result says was produced.
inline Decoded DecodeWith(gs::base64::Path path, const std::u16string& text) {
    const std::size_t capacity = gs::base64::DecodedBytesAtMost(text.size());
    Bytes buffer(capacity);
    Decoded decoded;
    decoded.result = gs::base64::Decode(path, text.data(), text.size(), buffer.data(), capacity);
    if (decoded.result > 0)
        decoded.bytes.assign(buffer.begin(), buffer.begin() + decoded.result);
    return decoded;
}

inline std::string PathName(const testing::TestParamInfo<gs::base64::Path>& info) {
    static const char* const names[] = {"Scalar", "Ssse3", "Avx2"};
    return names[static_cast<int>(info.param)];
}

// Runs a suite once per processor path; a path this processor lacks is skipped.
class PathTest : public testing::TestWithParam<gs::base64::Path> {
protected:
    void SetUp() override {
        if (!gs::base64::IsSupported(GetParam()))
            GTEST_SKIP() << "processor lacks this path";
    }
    gs::base64::Path path() const { return GetParam(); }
};

#define CODEC_INSTANTIATE_PATHS(suite)                                                             \
    INSTANTIATE_TEST_SUITE_P(Paths, suite,                                                         \
                             testing::Values(gs::base64::Path::Scalar, gs::base64::Path::Ssse3,    \
                                             gs::base64::Path::Avx2),                              \
                             codec_test::PathName)

} // namespace codec_test
