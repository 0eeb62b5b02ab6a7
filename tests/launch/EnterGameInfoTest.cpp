// The launch record from the argument form and from neither form; texts cut to their
// fields without reading past them. (Every field from each launch form, the handover
// block's included, the launches through the lobby check end to end.)
#include "launch/EnterGameInfo.h"
#include "launch/AnsiField.h"
#include "launch/RoomBlock.h"
#include "tests/support/Arguments.h"
#include "tests/support/FileBytes.h"
#include "tests/support/GuardPage.h"
#include "tests/support/SharedBlock.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace gs::test;

namespace {

bool ChinesePage() {
    return ::GetACP() == 936;
}

} // namespace

// Numbers the lobby cannot put in the handover block: the first is kept minus one and
// the words keep their low 16 bits, wrapping as the platform's own arithmetic does.
// Texts up to their field's width less two arrive whole, longer ones are cut to that.
TEST(LaunchForms, ArgumentsAreFittedToTheirFields) {
    std::vector<std::string> values = {"-2147483648", "", "", "",  "65537", "", "",
                                       "-1",          "", "", "0", "",      "0"};
    const std::pair<size_t, size_t> sent[] = {{1, 18}, {2, 19},  {3, 38},
                                              {5, 30}, {8, 300}, {11, 16}};
    for (auto [index, length] : sent)
        values[index] = std::string(length, static_cast<char>('a' + index));
    Arguments arguments(values);
    const EnterGameInfo info(arguments.count(), arguments.values());
    EXPECT_EQ(info.Number1, INT32_MAX);
    EXPECT_EQ(info.Word1, 1);
    EXPECT_EQ(info.Word2, 65535);
    const std::pair<const wchar_t*, size_t> kept[] = {{info.Username, 18}, {info.Text1, 18},
                                                      {info.Text2, 38},    {info.RoomText, 30},
                                                      {info.Text4, 254},   {info.Text6, 14}};
    for (size_t i = 0; i < std::size(kept); ++i)
        EXPECT_EQ(kept[i].first,
                  std::wstring(kept[i].second, static_cast<wchar_t>(L'a' + sent[i].first)))
            << i;
}

// Other argument counts, and a handover name that names no mapping, fill no launch
// field; only the former go on to read the room block.
TEST(LaunchForms, NeitherFormOrAMissingHandoverBlockLeaveTheLaunchFieldsEmpty) {
    const SharedBlock room(gs::kRoomBlockName, gs::kRoomBlockBytes);
    ASSERT_TRUE(room);
    const uint32_t window = 0x1234;
    room.Write(gs::kPlatformWindowOffset, &window, sizeof window);
    // One argument is the handover form, here naming no block: nothing is read at all.
    for (const size_t count : {0u, 2u, 12u, 15u, 1u}) {
        SCOPED_TRACE(count);
        Arguments arguments(std::vector<std::string>(count, count == 1 ? "NoSuchBlock" : "1"));
        const HWND platformWindow = count == 1 ? nullptr : reinterpret_cast<HWND>(0x1234);
        EnterGameInfo info(arguments.count(), arguments.values());
        EXPECT_EQ(info.Number1, 0);
        EXPECT_STREQ(info.Username, L"");
        EXPECT_EQ(info.RoomNumber, 0);
        EXPECT_EQ(info.PlatformWindow, platformWindow);
        EXPECT_EQ(info.LoadEnterGameInfo(arguments.count(), arguments.values()),
                  platformWindow != nullptr);
    }
}

// Each text fills its field's whole width and the byte after it cannot be read: the
// copy must find the text's end at the width on its own. In code page 936 the last
// byte of the crowded text leads a character whose trail is missing.
TEST(AnsiField, TextsFillingTheirWidthAreCutWithoutReadingPastIt) {
    const std::string crowded =
        std::string("A").append(Repeated("\xC4\xE3", 9)) + '\xC4'; // "你" in GBK
    const std::wstring crowdedIn1252 = (L"A" + Repeated(L"\u00C4\u00E3", 9)).substr(0, 18);
    const std::size_t ticketWidth = gs::kRoomBlockBytes - gs::kTicketOffset;
    // clang-format off
    const struct { std::string text; std::size_t capacity; std::wstring expected, expectedIn936; } cases[] = {
        {std::string(20, 'A'), 20, std::wstring(18, L'A'), std::wstring(18, L'A')},
        {std::string(40, 'A'), 40, std::wstring(38, L'A'), std::wstring(38, L'A')},
        {std::string(256, 'A'), 256, std::wstring(254, L'A'), std::wstring(254, L'A')},
        {std::string(16, 'A'), 16, std::wstring(14, L'A'), std::wstring(14, L'A')},
        {std::string(ticketWidth, 'K'), 128, std::wstring(126, L'K'), std::wstring(126, L'K')},
        {crowded, 20, crowdedIn1252, L"A" + std::wstring(9, L'你')},
    };
    // clang-format on
    for (const auto& c : cases) {
        const GuardedMemory memory(c.text.size());
        ASSERT_TRUE(memory);
        const char* source = memory.PlaceAtEnd(c.text.data(), c.text.size());
        std::vector<wchar_t> field(c.capacity, L'#');
        gs::CopyAnsiText(source, c.text.size(), field.data(), field.size());
        EXPECT_EQ(std::wstring(field.data()), ChinesePage() ? c.expectedIn936 : c.expected)
            << c.text.size() << " bytes into " << c.capacity;
        EXPECT_EQ(field.back(), L'\0');
    }
}
