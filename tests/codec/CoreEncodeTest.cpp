#include "CodecTestSupport.h"

namespace {

using namespace codec_test;
class CoreEncode : public PathTest {};

// Random bytes over every length reach each byte value in every lane of the vector
// blocks; the text is written into a buffer with room to spare, which must stay as it was.
// The reference itself gives the RFC's vectors, the prefixes of "foobar".
TEST_P(CoreEncode, EveryLengthRoundTripsThroughTheReferenceEncoding) {
    const char16_t* const rfc[] = {u"",         u"Zg==",     u"Zm8=",    u"Zm9v",
                                   u"Zm9vYg==", u"Zm9vYmE=", u"Zm9vYmFy"};
    const Bytes foobar = AsBytes("foobar");
    for (std::size_t length = 0; length < std::size(rfc); ++length)
        ASSERT_EQ(ReferenceEncode(Bytes(foobar.begin(), foobar.begin() + length)), rfc[length]);
    for (std::size_t length = 0; length <= 400; ++length) {
        const Bytes bytes = RandomBytes(length, static_cast<std::uint32_t>(length));
        const std::size_t units = gs::base64::EncodedUnits(length);
        std::u16string buffer(units + 64, u'#');
        gs::base64::Encode(path(), bytes.data(), length, buffer.data());
        ASSERT_EQ(buffer.substr(units), std::u16string(64, u'#')) << "length " << length;
        const std::u16string text = buffer.substr(0, units);
        ASSERT_EQ(text, ReferenceEncode(bytes)) << "length " << length;
        ASSERT_EQ(DecodeWith(path(), text).bytes, bytes) << "length " << length;
    }
}

CODEC_INSTANTIATE_PATHS(CoreEncode);

} // namespace
