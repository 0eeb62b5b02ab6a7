// The lobby's pieces in-process: command-line quoting checked against Windows' own
// splitting, option errors, number ranges of the block and malformed messages.
#include "tools/lobby/GameMasterRoomMessage.h"
#include "tools/lobby/HandoverImage.h"
#include "tools/lobby/LobbyOptions.h"
#include "tools/lobby/ShellCommandLine.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <tuple>

using namespace lobby;

TEST(ShellCommandLine, WindowsSplitsItBackIntoTheSameArguments) {
    const std::vector<std::wstring> arguments = {L"plain",
                                                 L"",
                                                 L"two words",
                                                 L"tab\there",
                                                 L"quote\"inside",
                                                 L"\"",
                                                 L"trailing\\",
                                                 L"trailing space\\",
                                                 L"\\\\server\\share",
                                                 L"back\\\\\"quote",
                                                 L"\u5f20\u4e09"};
    const std::wstring program = L"C:\\Program Files\\GameShell.exe";
    int count = 0;
    wchar_t** split = ::CommandLineToArgvW(BuildCommandLine(program, arguments).c_str(), &count);
    ASSERT_NE(split, nullptr);
    std::vector<std::wstring> expected = arguments;
    expected.insert(expected.begin(), program);
    EXPECT_EQ(std::vector<std::wstring>(split, split + count), expected);
    ::LocalFree(split);
}

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
    const COPYDATASTRUCT cases[] = {
        {kGameMasterRoomTag, kGameMasterRoomBytes, good},
        {kGameMasterRoomTag + 1, kGameMasterRoomBytes, good},
        {kGameMasterRoomTag, kGameMasterRoomBytes + 4, good},
        {kGameMasterRoomTag, kGameMasterRoomBytes, nullptr},
        {kGameMasterRoomTag, kGameMasterRoomBytes, tail},
    };
    const wchar_t* const malformed = L"malformed game-master room message from 0x00001234: ";
    const std::wstring expected[] = {
        L"game-master room -2 from 0x00001234", malformed + std::wstring(L"dwData 0xFFF0123A"),
        malformed + std::wstring(L"24 bytes"), malformed + std::wstring(L"no data"),
        malformed + std::wstring(L"nonzero byte 19")};
    for (size_t i = 0; i < std::size(cases); ++i) {
        const GameMasterRoomReport report = DescribeGameMasterRoom(sender, &cases[i]);
        EXPECT_EQ(report.line, expected[i]);
        EXPECT_EQ(report.wellFormed, i == 0) << i;
    }
    EXPECT_FALSE(DescribeGameMasterRoom(sender, nullptr).wellFormed);
}
