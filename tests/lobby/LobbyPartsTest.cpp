// The lobby's pieces in-process: command-line quoting checked against Windows' own
// splitting, option errors, number ranges of the block and malformed messages.
#include "tools/lobby/GameMasterRoomMessage.h"
#include "tools/lobby/HandoverImage.h"
#include "tools/lobby/LobbyOptions.h"
#include "tools/lobby/ShellCommandLine.h"

#include <gtest/gtest.h>

#include <shellapi.h>

using namespace lobby;

namespace {

std::vector<std::wstring> SplitByWindows(const std::wstring& commandLine) {
    int count = 0;
    wchar_t** values = ::CommandLineToArgvW(commandLine.c_str(), &count);
    std::vector<std::wstring> arguments(values, values + count);
    ::LocalFree(values);
    return arguments;
}

std::wstring ErrorOf(std::vector<std::wstring> arguments) {
    return ParseLobbyOptions(arguments).error;
}

} // namespace

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
    const std::vector<std::wstring> split =
        SplitByWindows(BuildCommandLine(L"C:\\Program Files\\GameShell.exe", arguments));
    ASSERT_EQ(split.size(), arguments.size() + 1);
    EXPECT_EQ(split[0], L"C:\\Program Files\\GameShell.exe");
    for (size_t i = 0; i < arguments.size(); ++i)
        EXPECT_EQ(split[i + 1], arguments[i]) << i;
}

TEST(ShellCommandLine, FieldFormsPlaceEachFieldAtItsNumber) {
    ParsedOptions parsed =
        ParseLobbyOptions({L"--form", L"fields14", L"--number1", L"9", L"--text6", L"six",
                           L"--flag", L"1", L"--number3", L"5", L"--room-text", L"r"});
    ASSERT_EQ(parsed.error, L"");
    const std::vector<std::wstring> arguments = ShellArguments(parsed.options, L"unused");
    ASSERT_EQ(arguments.size(), 14u);
    EXPECT_EQ(arguments[0], L"9");
    EXPECT_EQ(arguments[5], L"r");
    EXPECT_EQ(arguments[11], L"six");
    EXPECT_EQ(arguments[13], L"1");
    EXPECT_EQ(arguments[4], L"0") << "numbers not given are 0";
    parsed.options.form = LaunchForm::Fields13;
    EXPECT_EQ(ShellArguments(parsed.options, L"unused").size(), 13u);
}

TEST(LobbyOptions, ReportsWhatItDoesNotUnderstand) {
    EXPECT_NE(ErrorOf({L"--usernam", L"x"}), L"");
    EXPECT_NE(ErrorOf({L"--username"}), L"") << "a value is missing";
    EXPECT_NE(ErrorOf({L"--word1-hex", L"00"}), L"") << "numbers have no hex-byte form";
    EXPECT_NE(ErrorOf({L"--text1-hex", L"0g"}), L"");
    EXPECT_NE(ErrorOf({L"--timeout", L"-1"}), L"");
    EXPECT_NE(ErrorOf({L"--timeout", L"10s"}), L"");
    EXPECT_NE(ErrorOf({L"--text1", L"\U0001F600"}), L"") << "not in any ANSI code page here";
    EXPECT_EQ(ErrorOf({L"--text1-hex", L"00ff", L"--ticket-hex", L""}), L"");
}

TEST(LobbyOptions, EverythingAfterTheSeparatorIsRaw) {
    const ParsedOptions parsed = ParseLobbyOptions({L"--log", L"l", L"--", L"--log", L"x"});
    ASSERT_EQ(parsed.error, L"");
    EXPECT_EQ(parsed.options.form, LaunchForm::Raw);
    EXPECT_EQ(parsed.options.logPath, L"l");
    EXPECT_EQ(parsed.options.rawArguments, (std::vector<std::wstring>{L"--log", L"x"}));
}

TEST(HandoverImage, NumbersMustFitTheirFieldSignedOrUnsigned) {
    FieldValues values = DefaultFieldValues();
    values[4] = "-32768"; // word1
    values[0] = "0xFFFFFFFF";
    EXPECT_EQ(BuildHandoverImage(values).error, L"");
    for (const char* bad : {"-32769", "65536", "", "-", "0x", "1e3", "99999999999"}) {
        values[4] = bad;
        EXPECT_NE(BuildHandoverImage(values).error, L"") << bad;
    }
    values[4] = "0";
    values[0] = "4294967296";
    EXPECT_NE(BuildHandoverImage(values).error, L"");
}

TEST(HandoverImage, TextsMayFillButNotOverflowTheirField) {
    FieldValues values = DefaultFieldValues();
    values[11] = std::string(16, 'z'); // text6
    const HandoverImageResult full = BuildHandoverImage(values);
    ASSERT_EQ(full.error, L"");
    EXPECT_EQ(full.image[466 + 15], 'z');
    EXPECT_EQ(full.image[482], 0);
    values[11] += 'z';
    EXPECT_NE(BuildHandoverImage(values).error, L"");
}

TEST(GameMasterRoomMessage, MalformedWithoutReadingWhatIsNotThere) {
    const HWND sender = reinterpret_cast<HWND>(0x1234);
    EXPECT_FALSE(DescribeGameMasterRoom(sender, nullptr).wellFormed);
    COPYDATASTRUCT noData{kGameMasterRoomTag, kGameMasterRoomBytes, nullptr};
    EXPECT_FALSE(DescribeGameMasterRoom(sender, &noData).wellFormed);
    unsigned char payload[20] = {0xFE, 0xFF, 0xFF, 0xFF};
    COPYDATASTRUCT good{kGameMasterRoomTag, kGameMasterRoomBytes, payload};
    const GameMasterRoomReport report = DescribeGameMasterRoom(sender, &good);
    EXPECT_TRUE(report.wellFormed);
    EXPECT_EQ(report.line, L"game-master room -2 from 0x00001234");
}
