// The Default element's attribute lists; also built natively with the fuzz targets.
#include "platform/ui/AttributeList.h"

#include <gtest/gtest.h>

using namespace DuiLib;

TEST(AttributeList, ReadsQuotedPairsSeparatedByBlanks) {
    // clang-format off
    const struct { const wchar_t* text; AttributeList pairs; const wchar_t* canonical; } lists[] = {
        {L"", {}, L""}, {L" \t\r\n", {}, L""}, {L"a=\"1\"", {{L"a", L"1"}}, L"a=\"1\""},
        {L"  text='say \"hi\"'\tb=\"it's\"\n",
         {{L"text", L"say \"hi\""}, {L"b", L"it's"}},
         L"text='say \"hi\"' b=\"it's\""},
        {L"x.y:z-w_0=\"\" a=\"=  '\"",
         {{L"x.y:z-w_0", L""}, {L"a", L"=  '"}},
         L"x.y:z-w_0=\"\" a=\"=  '\""},
    };
    // clang-format on
    for (const auto& list : lists) {
        std::optional<AttributeList> read = ParseAttributeList(list.text);
        ASSERT_TRUE(read) << testing::PrintToString(std::wstring(list.text));
        EXPECT_EQ(*read, list.pairs);
        EXPECT_EQ(WriteAttributeList(*read), list.canonical);
    }
    for (const wchar_t* malformed :
         {L"a", L"a=", L"a=1", L"a=\"1", L"a='1\"", L"=\"1\"", L"a =\"1\"", L"a= \"1\"",
          L"a=\"1\"b=\"2\"", L"a=\"1\" garbage", L"a=\"1\" ,", L"\x6e38=\"1\""})
        EXPECT_FALSE(ParseAttributeList(malformed))
            << testing::PrintToString(std::wstring(malformed));
}
