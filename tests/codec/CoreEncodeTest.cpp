#include "CodecTestSupport.h"

namespace {

using namespace codec_test;
using gs::base64::Path;

class CoreEncode : public PathTest {};

// The RFC's vectors: the prefixes of "foobar".
TEST_P(CoreEncode, Rfc4648VectorsBothWays) {
    const char foobar[] = "foobar";
    const std::u16string texts[] = {u"",         u"Zg==",     u"Zm8=",    u"Zm9v",
                                    u"Zm9vYg==", u"Zm9vYmE=", u"Zm9vYmFy"};
    for (std::size_t length = 0; length < std::size(texts); ++length) {
        const Bytes bytes(foobar, foobar + length);
        EXPECT_EQ(EncodeWith(path(), bytes), texts[length]);
        const Decoded decoded = DecodeWith(path(), texts[length]);
        EXPECT_EQ(decoded.result, static_cast<std::ptrdiff_t>(length));
        EXPECT_EQ(decoded.bytes, bytes) << length;
    }
}

TEST_P(CoreEncode, EveryLengthEncodesAsTheReferenceAndDecodesBack) {
    for (std::size_t length = 0; length <= 400; ++length) {
        const Bytes bytes = RandomBytes(length, static_cast<std::uint32_t>(length));
        const std::u16string text = EncodeWith(path(), bytes);
        ASSERT_EQ(text, ReferenceEncode(bytes)) << "length " << length;
        const Decoded decoded = DecodeWith(path(), text);
        ASSERT_EQ(decoded.result, static_cast<std::ptrdiff_t>(length));
        ASSERT_EQ(decoded.bytes, bytes) << "length " << length;
    }
}

TEST_P(CoreEncode, EveryByteValueInEveryBlockPosition) {
    // Each byte value at each offset of a few vector blocks, to reach every lane of the
    // index arithmetic and every range of the character mapping.
    Bytes bytes = RandomBytes(75, 7);
    for (std::size_t offset = 0; offset < bytes.size(); ++offset) {
        const std::uint8_t original = bytes[offset];
        for (int value = 0; value < 256; ++value) {
            bytes[offset] = static_cast<std::uint8_t>(value);
            ASSERT_EQ(EncodeWith(path(), bytes), ReferenceEncode(bytes))
                << "offset " << offset << " value " << value;
        }
        bytes[offset] = original;
    }
}

TEST_P(CoreEncode, WritesExactlyTheEncodedUnits) {
    for (std::size_t length : {0u, 1u, 12u, 27u, 28u, 29u, 100u, 1000u}) {
        const Bytes bytes = RandomBytes(length, 3);
        const std::size_t units = gs::base64::EncodedUnits(length);
        std::u16string buffer(units + 64, u'#');
        gs::base64::Encode(path(), bytes.data(), length, buffer.data());
        EXPECT_EQ(buffer.substr(units), std::u16string(64, u'#')) << "length " << length;
    }
}

CODEC_INSTANTIATE_PATHS(CoreEncode);

} // namespace
