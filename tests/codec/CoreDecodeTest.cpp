#include "CodecTestSupport.h"

#include <algorithm>

namespace {

using namespace codec_test;
using gs::base64::kInvalidText;

class CoreDecode : public PathTest {};

TEST_P(CoreDecode, OnlyCanonicallyPaddedTextDecodes) {
    EXPECT_EQ(DecodeWith(path(), u"QQ==").bytes, AsBytes("A"));
    EXPECT_EQ(DecodeWith(path(), u"QUI=").bytes, AsBytes("AB"));
    const std::u16string invalid[] = {
        u"Q",     u"QQ",    u"QQ=",  u"QUI",  u"QUJDR",    u"Q===",
        u"====",  u"=QQQ",  u"Q=QQ", u"QQ=Q", u"QQ==QQ==", u"QUI=QUJD",
        u"QQ== ", u"QQ===", u"QR==", u"QUJ=", u" QQ==",    std::u16string(u"QUJD\0UJD", 8)};
    for (const std::u16string& text : invalid)
        EXPECT_EQ(DecodeWith(path(), text).result, kInvalidText)
            << std::string(text.begin(), text.end());
}

// A NUL-terminated text is read a memory page at a time: put its end, its padding and
// its line breaks on either side of a page boundary.
TEST_P(CoreDecode, TerminatedTextAcrossPageBoundaries) {
    constexpr std::size_t kPageUnits = 2048;
    std::vector<char16_t> memory(4 * kPageUnits + kPageUnits);
    const auto address = reinterpret_cast<std::uintptr_t>(memory.data());
    char16_t* const pages = memory.data() + (4096 - address % 4096) % 4096 / 2;
    const Bytes bytes = RandomBytes(1600, 31);
    const std::u16string plain = ReferenceEncode(bytes);
    for (const std::u16string& tail : {std::u16string(), std::u16string(u"\r\n")}) {
        std::u16string text = plain;
        text.append(tail);
        for (std::size_t end = 2 * kPageUnits - 70; end <= 2 * kPageUnits + 70; ++end) {
            std::fill(pages, pages + 4 * kPageUnits, u'A');
            char16_t* start = pages + end - text.size();
            std::copy(text.begin(), text.end(), start);
            start[text.size()] = u'\0';
            Bytes out(bytes.size());
            ASSERT_EQ(gs::base64::DecodeText(path(), start, out.data(), out.size()),
                      std::ptrdiff_t(bytes.size()))
                << "end " << end << " tail " << tail.size();
            ASSERT_EQ(out, bytes);
            // The same text broken across the boundary, and cut short there.
            std::copy(start + 60, start + text.size() + 1, start + 62);
            start[60] = u'\r';
            start[61] = u'\n';
            ASSERT_EQ(gs::base64::DecodeText(path(), start, out.data(), out.size()),
                      std::ptrdiff_t(bytes.size()));
            start[text.size() - 1] = u'\0';
            ASSERT_EQ(gs::base64::DecodeText(path(), start, out.data(), out.size()), kInvalidText);
        }
    }
}

CODEC_INSTANTIATE_PATHS(CoreDecode);

// The filler's units have a zero byte each, and two zero bytes meet across every pair
// of them: only a whole zero unit ends the text.
TEST(CoreTextLength, FindsTheNulAtEveryAlignment) {
    std::u16string filler;
    for (int i = 0; i < 100; ++i)
        filler += u"\u0041\u0100";
    for (std::size_t start = 0; start < 16; ++start) {
        for (std::size_t length = 0; length < 80; ++length) {
            std::u16string buffer = filler;
            buffer[start + length] = u'\0';
            ASSERT_EQ(gs::base64::TextLength(buffer.data() + start), length)
                << "start " << start << " length " << length;
        }
    }
}

} // namespace
