// The invoke text as the player reads what the host sends.
#include "player/InvokeText.h"

#include <gtest/gtest.h>

using player::ParseInvoke;

namespace {

std::wstring Xml(const player::InvokeArgument& argument) {
    std::vector<std::wstring_view> pieces;
    argument.AppendXml(pieces);
    std::wstring xml;
    for (std::wstring_view piece : pieces)
        xml += piece;
    return xml;
}

TEST(InvokeText, ReadsNameAndTypedArgumentsOrNone) {
    auto request = ParseInvoke(
        L"<invoke name=\"AckEnterGame\" returntype=\"xml\"><arguments><number>-1</number>"
        L"<string>张三 &amp; co</string><true/><string></string>"
        L"<array><property id=\"0\"><array><property id=\"0\"><null/></property></array>"
        L"</property></array><number>65535</number></arguments></invoke>");
    EXPECT_EQ(request.name, L"AckEnterGame");
    ASSERT_EQ(request.arguments.size(), 6u);
    EXPECT_EQ(request.arguments[0].element, L"number");
    EXPECT_EQ(request.arguments[0].Text(), L"-1");
    EXPECT_EQ(request.arguments[1].Text(), L"张三 & co");
    EXPECT_EQ(request.arguments[1].inner, L"张三 &amp; co");
    EXPECT_EQ(Xml(request.arguments[2]), L"<true/>");
    EXPECT_EQ(Xml(request.arguments[3]), L"<string></string>");
    EXPECT_EQ(request.arguments[4].element, L"array");
    EXPECT_NE(request.arguments[4].inner.find(L"<null/>"), std::wstring::npos)
        << "a nested array of the same name stays one argument";
    EXPECT_EQ(request.arguments[5].Text(), L"65535");
    for (const wchar_t* text : {L"<invoke name=\"OnClose\"><arguments></arguments></invoke>",
                                L"<invoke name='OnClose'/>"}) {
        EXPECT_EQ(ParseInvoke(text).name, L"OnClose") << text;
        EXPECT_TRUE(ParseInvoke(text).arguments.empty()) << text;
    }
}

} // namespace
