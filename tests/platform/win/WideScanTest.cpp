// The long-text scans against texts that end right before a page that may not be read:
// a scan that looks one unit too far faults instead of passing.
#include "platform/win/WideScan.h"

#include "tests/support/GuardPage.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(WideScan, FindsEveryPositionWithoutReadingPastTheText) {
    gs::test::GuardedMemory memory(4096);
    ASSERT_TRUE(memory);
    for (std::size_t length = 0; length <= 40; ++length) {
        const std::wstring terminated = std::wstring(length, L'a') + L'\0';
        EXPECT_EQ(gs::WideLength(memory.PlaceAtEnd(terminated.c_str(), length + 1)), length);
        for (std::size_t at = 0; at < length; ++at) {
            std::wstring text(length, L'a');
            text[at] = L'<';
            std::wstring_view placed(memory.PlaceAtEnd(text.data(), length), length);
            EXPECT_EQ(gs::FindWide(placed, L'<'), at) << length;
            EXPECT_EQ(gs::FindWide(placed, L'<', at), at) << length;
            EXPECT_EQ(gs::FindWide(placed, L'<', at + 1), std::wstring_view::npos) << length;
            EXPECT_EQ(gs::FindWide(placed, L'&'), std::wstring_view::npos) << length;
            EXPECT_EQ(gs::FindEitherWide(placed, L'&', L'<'), at) << length;
            EXPECT_EQ(gs::FindEitherWide(placed, L'&', L'>', at), std::wstring_view::npos);
            if (at + 1 < length) {
                text[length - 1] = L'&';
                placed = {memory.PlaceAtEnd(text.data(), length), length};
                EXPECT_EQ(gs::FindEitherWide(placed, L'<', L'&', at + 1), length - 1) << length;
            }
        }
    }
}

} // namespace
