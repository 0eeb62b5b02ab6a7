// The launch record from each command-line form, from the handover block and from
// neither; texts cut to their fields without reading past them.
#include "launch/EnterGameInfo.h"
#include "launch/AnsiField.h"
#include "launch/HandoverBlock.h"
#include "launch/RoomBlock.h"
#include "tests/support/Arguments.h"
#include "tests/support/GuardPage.h"
#include "tests/support/SharedBlock.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

using gs::test::Arguments;
using gs::test::SharedBlock;

namespace {

const char kUsername[] = "\xC4\xE3\xBA\xC3"; // "你好" in GBK

bool ChinesePage() {
    return ::GetACP() == 936;
}

template <size_t N> void Put(char (&field)[N], const char* text) {
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

// The one launch that every form carries: the argument form has no Number3 and, with
// thirteen arguments, no Flag.
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

} // namespace

TEST(LaunchForms, ThirteenOrFourteenArgumentsOrTheHandoverBlockGiveTheSameRecord) {
    const std::string name = "GameShellHandover" + std::to_string(::GetCurrentProcessId());
    const SharedBlock block(name.c_str(), sizeof(gs::HandoverBlock));
    ASSERT_TRUE(block);
    const gs::HandoverBlock fields = FieldBlock();
    block.Write(0, &fields, sizeof fields);
    const std::vector<std::string> thirteen = {
        "7", kUsername, "t1", "t2", "65537", "1234567", "t3", "-1", "t4", "t5", "3", "t6", "-9"};
    struct Form {
        Arguments arguments;
        int32_t flag;
        int32_t number3;
    };
    std::vector<std::string> fourteen = thirteen;
    fourteen.push_back("5");
    Form forms[] = {{Arguments(thirteen), 0, 0}, {Arguments(fourteen), 5, 0}, {{name}, 5, 99}};
    for (Form& form : forms) {
        SCOPED_TRACE(form.arguments.count());
        EnterGameInfo info(form.arguments.count(), form.arguments.values());
        ExpectLaunchFields(info, form.flag, form.number3);
        EXPECT_FALSE(info.LoadEnterGameInfo(form.arguments.count(), form.arguments.values()))
            << "no room block exists";
    }
    gs::HandoverBlock empty{};
    empty.number1 = INT32_MIN;
    empty.number2 = 12;
    block.Write(0, &empty, sizeof empty);
    const EnterGameInfo emptied(forms[2].arguments.count(), forms[2].arguments.values());
    EXPECT_EQ(emptied.Number1, INT32_MAX) << "the subtraction wraps";
    EXPECT_STREQ(emptied.Username, L"");
    EXPECT_STREQ(emptied.Text6, L"");
    EXPECT_EQ(emptied.Number2, 12);
}

// Other argument counts, and a handover name that names no mapping, fill no launch
// field; only the former go on to read the room block.
TEST(LaunchForms, NeitherFormOrAMissingHandoverBlockLeaveTheLaunchFieldsEmpty) {
    const SharedBlock room(gs::kRoomBlockName, gs::kRoomBlockBytes);
    ASSERT_TRUE(room);
    const uint32_t window = 0x1234;
    room.Write(gs::kPlatformWindowOffset, &window, sizeof window);
    struct Case {
        Arguments arguments;
        HWND platformWindow;
    };
    const HWND read = reinterpret_cast<HWND>(0x1234);
    const auto ones = [](size_t count) { return Arguments(std::vector<std::string>(count, "1")); };
    Case cases[] = {
        {ones(0), read},
        {ones(2), read},
        {ones(12), read},
        {ones(15), read},
        {{"NoSuchHandoverBlock"}, nullptr},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.arguments.count());
        EnterGameInfo info(c.arguments.count(), c.arguments.values());
        EXPECT_EQ(info.Number1, 0);
        EXPECT_STREQ(info.Username, L"");
        EXPECT_STREQ(info.RoomText, L"");
        EXPECT_EQ(info.Word1, 0);
        EXPECT_EQ(info.Flag, 0);
        EXPECT_EQ(info.RoomNumber, 0);
        EXPECT_EQ(info.PlatformWindow, c.platformWindow);
        EXPECT_EQ(info.LoadEnterGameInfo(c.arguments.count(), c.arguments.values()),
                  c.platformWindow != nullptr);
    }
}

// Texts up to their field's width less two arrive whole, longer ones are cut to that.
TEST(LaunchForms, TextArgumentsKeepWhatFitsTheirField) {
    const std::pair<size_t, size_t> sent[] = {{1, 18}, {2, 19},  {3, 38},
                                              {5, 30}, {8, 300}, {11, 16}};
    std::vector<std::string> texts(13);
    for (auto [index, length] : sent)
        texts[index] = std::string(length, static_cast<char>('a' + index));
    Arguments arguments(texts);
    const EnterGameInfo info(arguments.count(), arguments.values());
    const std::pair<const wchar_t*, size_t> kept[] = {{info.Username, 18}, {info.Text1, 18},
                                                      {info.Text2, 38},    {info.RoomText, 30},
                                                      {info.Text4, 254},   {info.Text6, 14}};
    for (size_t i = 0; i < std::size(kept); ++i)
        EXPECT_EQ(kept[i].first,
                  std::wstring(kept[i].second, static_cast<wchar_t>(L'a' + sent[i].first)))
            << i;
}

// Each text fills its field's whole width and the byte after it cannot be read: the
// copy must find the text's end at the width on its own. In code page 936 the last
// byte of the crowded text leads a character whose trail is missing.
TEST(AnsiField, TextsFillingTheirWidthAreCutWithoutReadingPastIt) {
    std::string crowded = "A";
    std::wstring crowdedIn1252 = L"A";
    for (int i = 0; i < 9; ++i) {
        crowded += "\xC4\xE3"; // "你" in GBK
        crowdedIn1252 += L"\u00C4\u00E3";
    }
    crowded += '\xC4';
    crowdedIn1252.resize(18);
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
        const gs::test::GuardedMemory memory(c.text.size());
        ASSERT_TRUE(memory);
        const char* source = memory.PlaceAtEnd(c.text.data(), c.text.size());
        std::vector<wchar_t> field(c.capacity, L'#');
        gs::CopyAnsiText(source, c.text.size(), field.data(), field.size());
        EXPECT_EQ(std::wstring(field.data()), ChinesePage() ? c.expectedIn936 : c.expected)
            << c.text.size() << " bytes into " << c.capacity;
        EXPECT_EQ(field.back(), L'\0');
    }
}
