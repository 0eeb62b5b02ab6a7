#include "platform/ui/DuiString.h"

#include <gtest/gtest.h>

#include <string>

using DuiLib::CDuiString;

TEST(DuiString, FormatsAsWindowsDoesAtAnyLength) {
    CDuiString text;
    text.Format(L"<%s/>%d|%u|%ls|%hs|%%|%5d|%-3d|%03d", L"true", -1, 65535u, L"wide", "narrow", 42,
                7, -5);
    EXPECT_EQ(text, L"<true/>-1|65535|wide|narrow|%|   42|7  |-05");
    text.Format(L"%d %d", static_cast<int>(0x80000000u), 2147483647);
    EXPECT_EQ(text, L"-2147483648 2147483647");
    text.Format(L"加载flash完成！path = %s\n", L"C:\\游戏\\a.swf");
    EXPECT_EQ(text, L"加载flash完成！path = C:\\游戏\\a.swf\n");
    std::wstring big(20'000'000, L'A');
    EXPECT_EQ(text.Format(L"<s>%s</s>", big.c_str()), 20'000'007);
    EXPECT_EQ(text.Right(4), L"</s>");
}
