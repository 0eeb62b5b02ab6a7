#include "launch/EnterGameInfo.h"
#include "launch/AnsiField.h"
#include "launch/HandoverBlock.h"
#include "launch/RoomBlock.h"
#include "tests/support/Arguments.h"
#include "tests/support/GuardPage.h"
#include "tests/support/SharedBlock.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using gs::test::Arguments;
using gs::test::SharedBlock;

namespace {

// One launch as the platform gives it in either form: the argument form has no Number3
// and, with thirteen arguments, no Flag.
const char kUsername[] = "\xC4\xE3\xBA\xC3"; // "你好" in GBK

Arguments FieldArguments(bool withFlag) {
    Arguments thirteen{"7",  kUsername, "t1", "t2", "65537", "1234567", "t3",
                       "-1", "t4",      "t5", "3",  "t6",    "-9"};
    Arguments fourteen{"7",  kUsername, "t1", "t2", "65537", "1234567", "t3",
                       "-1", "t4",      "t5", "3",  "t6",    "-9",      "5"};
    return withFlag ? fourteen : thirteen;
}

template <size_t N> void Put(char (&field)[N], const char* text) {
    std::memset(field, 0, N);
    std::memcpy(field, text, strnlen(text, N));
}

gs::HandoverBlock FieldBlock() {
    gs::HandoverBlock block{};
    block.number1 = 7;
    Put(block.username, kUsername);
    Put(block.text1, "t1");
    Put(block.text2, "t2");
    block.word1 = 1;
    Put(block.roomText, "1234567");
    Put(block.text3, "t3");
    block.word2 = 65535;
    Put(block.text4, "t4");
    Put(block.text5, "t5");
    block.word3 = 3;
    Put(block.text6, "t6");
    block.number2 = -9;
    block.flag = 5;
    block.number3 = 99;
    return block;
}

bool ChinesePage() {
    return ::GetACP() == 936;
}

void ExpectLaunchFields(const EnterGameInfo& info, int32_t flag, int32_t number3) {
    EXPECT_EQ(info.Number1, 6);
    EXPECT_STREQ(info.Username, ChinesePage() ? L"你好" : L"\u00C4\u00E3\u00BA\u00C3");
    EXPECT_STREQ(info.Text1, L"t1");
    EXPECT_STREQ(info.Text2, L"t2");
    EXPECT_EQ(info.Word1, 1) << "65537 keeps its low 16 bits";
    EXPECT_STREQ(info.RoomText, L"1234567");
    EXPECT_STREQ(info.Text3, L"t3");
    EXPECT_EQ(info.Word2, 65535) << "-1 is 65535 as an unsigned 16-bit field";
    EXPECT_STREQ(info.Text4, L"t4");
    EXPECT_STREQ(info.Text5, L"t5");
    EXPECT_EQ(info.Word3, 3);
    EXPECT_STREQ(info.Text6, L"t6");
    EXPECT_EQ(info.Number2, -9);
    EXPECT_EQ(info.Flag, flag);
    EXPECT_EQ(info.Number3, number3);
    EXPECT_EQ(info.RoomNumber, 23456);
}

void ExpectEmptyLaunchFields(const EnterGameInfo& info) {
    EXPECT_EQ(info.Number1, 0);
    EXPECT_STREQ(info.Username, L"");
    EXPECT_STREQ(info.RoomText, L"");
    EXPECT_STREQ(info.Text4, L"");
    EXPECT_EQ(info.Word1, 0);
    EXPECT_EQ(info.Flag, 0);
    EXPECT_EQ(info.RoomNumber, 0);
}

} // namespace

TEST(EnterGameInfo, CountsOfNeitherFormLeaveTheLaunchFieldsEmptyButReadTheRoomBlock) {
    SharedBlock room(gs::kRoomBlockName, gs::kRoomBlockBytes);
    ASSERT_TRUE(room);
    uint32_t window = 0x1234;
    room.Write(gs::kPlatformWindowOffset, &window, sizeof window);
    for (Arguments arguments :
         {Arguments{}, Arguments{"a", "b"},
          Arguments{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"},
          Arguments{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14",
                    "15"}}) {
        EnterGameInfo info(arguments.count(), arguments.values());
        SCOPED_TRACE(arguments.count());
        ExpectEmptyLaunchFields(info);
        EXPECT_EQ(info.PlatformWindow, reinterpret_cast<HWND>(0x1234));
    }
}

TEST(EnterGameInfo, FieldArgumentsFillEveryFieldButNumber3AndWithFourteenTheFlag) {
    for (bool withFlag : {false, true}) {
        Arguments arguments = FieldArguments(withFlag);
        EnterGameInfo info(arguments.count(), arguments.values());
        SCOPED_TRACE(arguments.count());
        ExpectLaunchFields(info, withFlag ? 5 : 0, 0);
        EXPECT_FALSE(info.LoadEnterGameInfo(arguments.count(), arguments.values()))
            << "no room block exists";
    }
}

TEST(EnterGameInfo, FirstArgumentIsStoredMinusOne) {
    const std::pair<const char*, int32_t> cases[] = {{"1", 0},
                                                     {"0", -1},
                                                     {"none", -1},
                                                     {"-2147483648", 2147483647},
                                                     {"99999999999", 2147483646}};
    for (auto [text, expected] : cases) {
        Arguments arguments{text, "u", "", "", "0", "", "", "0", "", "", "0", "", "0"};
        EnterGameInfo info(arguments.count(), arguments.values());
        EXPECT_EQ(info.Number1, expected) << text;
    }
}

TEST(EnterGameInfo, TextArgumentsKeepWhatFitsTheirField) {
    std::string eighteen(18, 'u'), nineteen(19, 'v'), long30(30, 'w'), thirtyEight(38, 'x');
    Arguments arguments{"1",         eighteen, nineteen,
                        thirtyEight, "0",      long30,
                        "",          "0",      std::string(300, 'y'),
                        "",          "0",      std::string(16, 'z'),
                        "0"};
    EnterGameInfo info(arguments.count(), arguments.values());
    EXPECT_EQ(std::wstring(info.Username), std::wstring(18, L'u'));
    EXPECT_EQ(std::wstring(info.Text1), std::wstring(18, L'v')) << "19 characters are cut to 18";
    EXPECT_EQ(std::wstring(info.Text2), std::wstring(38, L'x'));
    EXPECT_EQ(std::wstring(info.RoomText), std::wstring(30, L'w'));
    EXPECT_EQ(std::wstring(info.Text4), std::wstring(254, L'y'));
    EXPECT_EQ(std::wstring(info.Text6), std::wstring(14, L'z'));
    EXPECT_EQ(info.Text4[255], L'\0');
    EXPECT_EQ(info.Text6[15], L'\0');
}

class HandoverForm : public ::testing::Test {
protected:
    HandoverForm() : m_block(m_name.c_str(), sizeof(gs::HandoverBlock)) {}

    void Publish(const gs::HandoverBlock& block) { m_block.Write(0, &block, sizeof block); }
    EnterGameInfo Fill() {
        Arguments arguments{m_name};
        return EnterGameInfo(arguments.count(), arguments.values());
    }

    std::string m_name = "GameShellHandover" + std::to_string(::GetCurrentProcessId());
    SharedBlock m_block;
};

TEST_F(HandoverForm, CopiesEveryFieldOfTheBlock) {
    ASSERT_TRUE(m_block);
    Publish(FieldBlock());
    ExpectLaunchFields(Fill(), 5, 99);
}

TEST_F(HandoverForm, AnEmptyBlockGivesEmptyTextsAndTheStoredNumbers) {
    ASSERT_TRUE(m_block);
    gs::HandoverBlock block{};
    block.number2 = 12;
    Publish(block);
    EnterGameInfo info = Fill();
    EXPECT_EQ(info.Number1, -1);
    EXPECT_STREQ(info.Username, L"");
    EXPECT_STREQ(info.Text6, L"");
    EXPECT_EQ(info.Number2, 12);
}

TEST(HandoverFormFailure, ANameThatNamesNoMappingLeavesTheRecordEmpty) {
    SharedBlock room(gs::kRoomBlockName, gs::kRoomBlockBytes);
    ASSERT_TRUE(room);
    uint32_t window = 0x4321;
    room.Write(gs::kPlatformWindowOffset, &window, sizeof window);
    Arguments arguments{"NoSuchHandoverBlock"};
    EnterGameInfo info(arguments.count(), arguments.values());
    ExpectEmptyLaunchFields(info);
    EXPECT_EQ(info.PlatformWindow, nullptr) << "the room block is not read after a failed handover";
    EXPECT_STREQ(info.Ticket, L"");
    EXPECT_FALSE(info.LoadEnterGameInfo(arguments.count(), arguments.values()));
}

// Each text fills its field's whole width and the byte after it cannot be read: the
// copy must find the text's end at the width on its own. In code page 936 the last
// byte of the crowded text leads a character whose trail is missing.
TEST(AnsiField, TextsFillingTheirWidthAreCutWithoutReadingPastIt) {
    std::string crowded = "A";
    for (int i = 0; i < 9; ++i)
        crowded += "\xC4\xE3"; // "你" in GBK
    crowded += '\xC4';
    std::wstring crowdedIn1252 = L"A";
    for (int i = 0; i < 8; ++i)
        crowdedIn1252 += L"\u00C4\u00E3";
    crowdedIn1252 += L'\u00C4';
    struct Case {
        std::string text;
        std::size_t capacity;
        std::wstring expected;
        std::wstring expectedIn936;
    };
    const std::size_t ticketWidth = gs::kRoomBlockBytes - gs::kTicketOffset;
    const Case cases[] = {
        {std::string(20, 'A'), 20, std::wstring(18, L'A'), std::wstring(18, L'A')},
        {std::string(40, 'A'), 40, std::wstring(38, L'A'), std::wstring(38, L'A')},
        {std::string(256, 'A'), 256, std::wstring(254, L'A'), std::wstring(254, L'A')},
        {std::string(16, 'A'), 16, std::wstring(14, L'A'), std::wstring(14, L'A')},
        {std::string(ticketWidth, 'K'), 128, std::wstring(126, L'K'), std::wstring(126, L'K')},
        {crowded, 20, crowdedIn1252, L"A" + std::wstring(9, L'你')},
    };
    for (const Case& c : cases) {
        gs::test::GuardedMemory memory(c.text.size());
        ASSERT_TRUE(memory);
        const char* source = memory.PlaceAtEnd(c.text.data(), c.text.size());
        std::vector<wchar_t> field(c.capacity, L'#');
        gs::CopyAnsiText(source, c.text.size(), field.data(), field.size());
        EXPECT_EQ(std::wstring(field.data()), ChinesePage() ? c.expectedIn936 : c.expected)
            << c.text.size() << " bytes into " << c.capacity;
        EXPECT_EQ(field.back(), L'\0');
    }
}
