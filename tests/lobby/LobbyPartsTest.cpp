// The lobby's pieces in-process: option errors, number ranges of the block and malformed
// messages.
#include "tools/lobby/GameMasterRoomMessage.h"
#include "tools/lobby/HandoverImage.h"
#include "tools/lobby/LobbyOptions.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

using namespace lobby;

TEST(LobbyOptions, ReportsWhatItDoesNotUnderstandAndTakesTheRestRaw) {
    for (const std::vector<std::wstring>& refused : std::vector<std::vector<std::wstring>>{
             {L"--usernam", L"x"},
             {L"--username"},         // a value is missing
             {L"--word1-hex", L"00"}, // numbers have no hex-byte form
             {L"--text1-hex", L"0g"},
             {L"--username-hex", L"abc"},
             {L"--timeout", L"-1"},
             {L"--timeout", L"10s"},
             {L"--text1", L"\U0001F600"}, // not in any ANSI code page here
         })
        EXPECT_NE(ParseLobbyOptions(refused).error, L"") << refused[0];
    EXPECT_EQ(ParseLobbyOptions({L"--text1-hex", L"00ff", L"--ticket-hex", L""}).error, L"");
    const ParsedOptions raw = ParseLobbyOptions({L"--log", L"l", L"--", L"--log", L"x"});
    ASSERT_EQ(raw.error, L"");
    EXPECT_EQ(raw.options.form, LaunchForm::Raw);
    EXPECT_EQ(raw.options.logPath, L"l");
    EXPECT_EQ(raw.options.rawArguments, (std::vector<std::wstring>{L"--log", L"x"}));
}

TEST(HandoverImage, NumbersMustFitTheirFieldSignedOrUnsigned) {
    const size_t number1 = 0, word1 = 4;
    const std::tuple<size_t, const char*, bool> cases[] = {
        {word1, "-32768", true},  {word1, "65535", true},         {number1, "0xFFFFFFFF", true},
        {word1, "-32769", false}, {word1, "65536", false},        {word1, "", false},
        {word1, "-", false},      {word1, "0x", false},           {word1, "1e3", false},
        {word1, "12x", false},    {number1, "4294967296", false}, {number1, "99999999999", false}};
    for (const auto& [field, text, fits] : cases) {
        FieldValues values = DefaultFieldValues();
        values[field] = text;
        EXPECT_EQ(BuildHandoverImage(values).error.empty(), fits) << text;
    }
}

TEST(GameMasterRoomMessage, EachFlawIsNamedWithoutReadingWhatIsNotThere) {
    const HWND sender = reinterpret_cast<HWND>(0x1234);
    unsigned char good[20] = {0xFE, 0xFF, 0xFF, 0xFF};
    unsigned char tail[20] = {};
    tail[19] = 1;
    const std::pair<COPYDATASTRUCT, const wchar_t*> cases[] = {
        {{kGameMasterRoomTag, kGameMasterRoomBytes, good}, L"game-master room -2 from 0x00001234"},
        {{kGameMasterRoomTag + 1, kGameMasterRoomBytes, good}, L"dwData 0xFFF0123A"},
        {{kGameMasterRoomTag, kGameMasterRoomBytes + 4, good}, L"24 bytes"},
        {{kGameMasterRoomTag, kGameMasterRoomBytes, nullptr}, L"no data"},
        {{kGameMasterRoomTag, kGameMasterRoomBytes, tail}, L"nonzero byte 19"},
    };
    const std::wstring malformed = L"malformed game-master room message from 0x00001234: ";
    for (const auto& [data, line] : cases) {
        const bool wellFormed = &data == &cases[0].first;
        const GameMasterRoomReport report = DescribeGameMasterRoom(sender, &data);
        EXPECT_EQ(report.line, wellFormed ? line : malformed + line);
        EXPECT_EQ(report.wellFormed, wellFormed) << line;
    }
    EXPECT_FALSE(DescribeGameMasterRoom(sender, nullptr).wellFormed);
}
