#include "CodecTestSupport.h"

namespace {

using namespace codec_test;
using gs::base64::Path;

class CoreEncode : public PathTest {};

TEST_P(CoreEncode, Rfc4648Vectors) {
    EXPECT_EQ(EncodeWith(path(), AsBytes("")), u"");
    EXPECT_EQ(EncodeWith(path(), AsBytes("f")), u"Zg==");
    EXPECT_EQ(EncodeWith(path(), AsBytes("fo")), u"Zm8=");
    EXPECT_EQ(EncodeWith(path(), AsBytes("foo")), u"Zm9v");
    EXPECT_EQ(EncodeWith(path(), AsBytes("foob")), u"Zm9vYg==");
    EXPECT_EQ(EncodeWith(path(), AsBytes("fooba")), u"Zm9vYmE=");
    EXPECT_EQ(EncodeWith(path(), AsBytes("foobar")), u"Zm9vYmFy");
}

TEST_P(CoreEncode, EveryLengthMatchesTheReference) {
    for (std::size_t length = 0; length <= 400; ++length) {
        const Bytes bytes = RandomBytes(length, static_cast<std::uint32_t>(length));
        ASSERT_EQ(EncodeWith(path(), bytes), ReferenceEncode(bytes)) << "length " << length;
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
