#include "launch/LaunchNumbers.h"
#include "platform/win/DecimalNumber.h"

#include <gtest/gtest.h>

using gs::ParseAnsiLong;
using gs::ParseWideLong;
using gs::RoomNumberFromText;

TEST(LaunchNumbers, ReadLikeAtolUpToTheFirstOtherCharacter) {
    EXPECT_EQ(ParseAnsiLong("42"), 42);
    EXPECT_EQ(ParseAnsiLong(" \t\n-17xyz"), -17);
    EXPECT_EQ(ParseAnsiLong("+8"), 8);
    EXPECT_EQ(ParseAnsiLong("abc"), 0);
    EXPECT_EQ(ParseAnsiLong(""), 0);
    EXPECT_EQ(ParseAnsiLong("- 5"), 0);
    EXPECT_EQ(ParseAnsiLong(nullptr), 0);
    EXPECT_EQ(ParseWideLong(L"42abc"), 42);
    EXPECT_EQ(ParseWideLong(L"\u3000 7"), 0) << "only the C locale's white space is skipped";
}

TEST(LaunchNumbers, SaturateAtTheThirtyTwoBitLimits) {
    EXPECT_EQ(ParseAnsiLong("2147483647"), 2147483647);
    EXPECT_EQ(ParseAnsiLong("2147483648"), 2147483647);
    EXPECT_EQ(ParseAnsiLong("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ParseAnsiLong("-2147483649"), -2147483647 - 1);
    EXPECT_EQ(ParseAnsiLong("99999999999999999999999999"), 2147483647);
    EXPECT_EQ(ParseWideLong(L"-99999999999999999999999999"), -2147483647 - 1);
    EXPECT_EQ(ParseAnsiLong("000000000000000000000123"), 123);
}

TEST(LaunchNumbers, RoomNumberIsCharactersTwoToSixOfTheRoomText) {
    EXPECT_EQ(RoomNumberFromText(L"123456789"), 23456);
    EXPECT_EQ(RoomNumberFromText(L"1234567"), 23456);
    EXPECT_EQ(RoomNumberFromText(L"12345"), 12345);
    EXPECT_EQ(RoomNumberFromText(L"a12345"), 12345);
    EXPECT_EQ(RoomNumberFromText(L"abcdef"), 0);
    EXPECT_EQ(RoomNumberFromText(L"12"), 12);
    EXPECT_EQ(RoomNumberFromText(L""), 0);
    EXPECT_EQ(RoomNumberFromText(nullptr), 0);
}
