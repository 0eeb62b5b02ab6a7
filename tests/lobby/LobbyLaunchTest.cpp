// The lobby as a real process, launching the probe in the shell's place: what the probe
// finds in its arguments and in both blocks, and what the lobby logs and returns; and the
// lobby's description of each game-master-room message, in-process.
#include "platform/win/ModulePath.h"
#include "tests/lobby/LobbySession.h"
#include "tests/support/GuardPage.h"
#include "tools/lobby/GameMasterRoomMessage.h"
#include "tools/lobby/TextCodec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <utility>

using namespace lobbytest;
using lobby::WideToUtf8;

namespace {

struct LobbyRun {
    LobbyOutcome lobby;
    std::map<std::string, std::string> report; // the probe's "key=value" lines
    bool Logged(const std::string& line) const {
        return std::find(lobby.log.begin(), lobby.log.end(), line) != lobby.log.end();
    }
    bool ShellStarted() const { return report.count("argc") != 0; }
};

LobbyRun RunLobby(const std::vector<std::wstring>& arguments, Environment environment = {}) {
    const std::wstring reportPath = TempPath(L"probe_report");
    environment.emplace_back(L"PROBE_REPORT", reportPath);
    LobbyRun run;
    run.lobby = LobbySession(gs::ModuleFolder(nullptr) + L"lobby_probe.exe", arguments, environment)
                    .Finish();
    for (const std::string& line : gs::test::ReadLines(reportPath))
        if (const size_t equals = line.find('='); equals != std::string::npos)
            run.report[line.substr(0, equals)] = line.substr(equals + 1);
    ::DeleteFileW(reportPath.c_str());
    return run;
}

// A text of the active code page with a non-ASCII character, and its bytes there.
struct LocalText {
    std::wstring text;
    std::string ansiHex;
};

LocalText NonAsciiName() {
    if (::GetACP() == 936)
        return {L"\u5f20\u4e09", "d5c5c8fd"};
    return {L"M\u00fcller", "4dfc6c6c6572"};
}

std::string HandleText(const std::string& decimal) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", std::stoul(decimal));
    return text;
}

// The bytes of one field of the handover block as the probe read them.
std::string BlockBytes(const LobbyRun& run, size_t offset, size_t size) {
    return run.report.at("handover").substr(offset * 2, size * 2);
}

// One launch in the handover form, shared by the three tests after it. (What the shell's
// own fill makes of the blocks, the end-to-end tests check through the movie.)
const LobbyRun& HandoverRun() {
    // clang-format off
    static const LobbyRun run = RunLobby(
        {L"--number1", L"-2147483648", L"--username", NonAsciiName().text, L"--text1", L"t1",
         L"--text2", L"t2", L"--word1", L"-1", L"--room-text", L"1234567", L"--text3", L"t3",
         L"--word2", L"0x1234", L"--text4", std::wstring(255, L'x'), L"--text5", L"t5",
         L"--word3", L"65535", L"--text6", L"0123456789abcdef", L"--number2", L"-7",
         L"--flag", L"5", L"--number3", L"0x7fffffff", L"--ticket", L"abc-123"},
        {{L"PROBE_SEND", L"42,-5"}, {L"PROBE_EXIT", L"7"}});
    // clang-format on
    return run;
}

} // namespace

TEST(LobbyLaunch, ReturnsTheShellsExitCode) {
    const LobbyRun& run = HandoverRun();
    ASSERT_TRUE(run.lobby.exited);
    EXPECT_EQ(run.lobby.exitCode, 7u) << run.lobby.output;
    EXPECT_TRUE(run.Logged("shell process " + run.report.at("pid")));
    EXPECT_TRUE(run.Logged("shell exited with code 7"));
}

TEST(LobbyLaunch, HandsOverEveryFieldOfBothBlocks) {
    const LobbyRun& run = HandoverRun();
    const std::string name = NonAsciiName().ansiHex;
    ASSERT_EQ(run.report.at("argc"), "2");
    ASSERT_EQ(run.report.at("handover").size(), 992u);
    EXPECT_EQ(BlockBytes(run, 0, 4), "00000080");
    EXPECT_EQ(BlockBytes(run, 4, 20), name + std::string(40 - name.size(), '0'));
    EXPECT_EQ(BlockBytes(run, 84, 2), "ffff");
    EXPECT_EQ(BlockBytes(run, 166, 2), "3412");
    EXPECT_EQ(BlockBytes(run, 168, 256), Hex(std::string(255, 'x')) + "00");
    EXPECT_EQ(BlockBytes(run, 466, 16), Hex("0123456789abcdef")) << "a full field: no NUL";
    EXPECT_EQ(BlockBytes(run, 482, 2), "0000");
    EXPECT_EQ(BlockBytes(run, 484, 12), "f9ffffff05000000ffffff7f");
    const std::string window = HandleText(run.report.at("room.window"));
    EXPECT_TRUE(run.Logged("room block GL_ROOM_REC with window " + window));
    EXPECT_EQ(run.report.at("room.ticket"), Hex("abc-123"));
}

TEST(LobbyLaunch, LogsTheGameMasterRoomMessagesWhileTheShellRuns) {
    const LobbyRun& run = HandoverRun();
    const std::string from = " from " + HandleText(run.report.at("sender"));
    EXPECT_TRUE(run.Logged("game-master room 42" + from));
    EXPECT_TRUE(run.Logged("game-master room -5" + from));
    EXPECT_EQ(run.report.at("sent1"), "1") << "answered as well formed";
    EXPECT_NE(run.lobby.output.find("game-master room 42" + from), std::string::npos)
        << "the log's lines reach standard output too";
}

// What only the lobby decides (the shell's view of each form is the end-to-end tests'):
// the report's entries (kAbsent: none; no "argc": no shell), its exit code and output.
TEST(LobbyLaunch, EachOptionReachesTheShellOrIsRefusedWithoutStartingIt) {
    const std::string kAbsent = "(absent)";
    struct Case {
        std::vector<std::wstring> arguments;
        DWORD exitCode;
        std::map<std::string, std::string> report;
        std::vector<std::string> output = {};
        Environment environment = {};
    };
    // Numbers not given are 0, an empty text is an argument, numbers pass as written.
    // clang-format off
    const Case cases[] = {
        {{L"--text4", L"", L"--number2", L"42abc", L"--flag", L"3", L"--form", L"fields14"}, 0,
         {{"argc", "15"}, {"handover", kAbsent}, {"arg8", Hex("0")}, {"arg9", ""},
          {"arg13", Hex("42abc")}, {"arg14", Hex("3")}}},
        {{L"--form", L"raw", L"--username", L"ignored"}, 0, {{"argc", "1"}}},
        {{L"--ticket", std::wstring(18816, L'7')}, 0,
         {{"room.ticket", Hex(std::string(18816, '7'))}}},
        {{L"--no-room-block"}, 0, {{"room", "missing"}}},
        {{L"--no-handover", L"--handover-name", L"NoSuchBlock42"}, 0,
         {{"arg1", Hex("NoSuchBlock42")}, {"handover", "missing"}}},
        {{L"--timeout", L"300"}, 124, {{"argc", "2"}}, {"timeout after 300 ms: shell killed"},
         {{L"PROBE_HANG", L"1"}}},
        {{L"--text1-hex", L"00ff", L"--ticket-hex", L"", L"--word1", L"-32768", L"--word2",
          L"65535", L"--number1", L"0xFFFFFFFF"}, 0, {{"room.ticket", ""}}},
        {{L"--username", std::wstring(21, L'u')}, 125, {{"argc", kAbsent}}, {"username"}},
        {{L"--form", L"fields15"}, 125, {{"argc", kAbsent}}, {"fields15"}},
        {{L"--shell", L"C:\\no\\such\\Shell.exe"}, 125, {{"argc", kAbsent}}, {"cannot start"}},
        {{L"--help"}, 0, {{"argc", kAbsent}},
         {"--shell", "--form", "--no-room-block", "--no-handover", "--handover-name", "--log",
          "--timeout", "--ticket-hex", "--number1", "--room-text-hex", "--number3", "--flag"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(WideToUtf8(c.arguments.front()));
        const LobbyRun run = RunLobby(c.arguments, c.environment);
        ASSERT_TRUE(run.lobby.exited);
        EXPECT_EQ(run.lobby.exitCode, c.exitCode) << run.lobby.output;
        for (const auto& [key, value] : c.report)
            EXPECT_EQ(run.report.count(key) ? run.report.at(key) : kAbsent, value) << key;
        for (const std::string& text : c.output)
            EXPECT_NE(run.lobby.output.find(text), std::string::npos) << text;
    }
    // Options it does not understand (a value missing, a hex-byte form for a number, a text
    // in no ANSI code page here), and numbers that do not fit their field.
    // clang-format off
    const std::vector<std::vector<std::wstring>> refusedOptions = {
        {L"--ticket", std::wstring(18817, L'a')}, {L"--usernam", L"x"}, {L"--username"},
        {L"--word1-hex", L"00"}, {L"--text1-hex", L"0g"}, {L"--username-hex", L"abc"},
        {L"--timeout", L"-1"}, {L"--timeout", L"10s"}, {L"--text1", L"\U0001F600"},
        {L"--word1", L"-32769"}, {L"--word1", L"65536"}, {L"--word1", L""}, {L"--word1", L"-"},
        {L"--word1", L"0x"}, {L"--word1", L"1e3"}, {L"--word1", L"12x"},
        {L"--number1", L"4294967296"}, {L"--number1", L"99999999999"}};
    // clang-format on
    for (const std::vector<std::wstring>& refused : refusedOptions) {
        const LobbyRun run = RunLobby(refused);
        EXPECT_EQ(run.lobby.exitCode, 125u) << WideToUtf8(refused.back());
        EXPECT_FALSE(run.ShellStarted());
    }
}

TEST(LobbyLaunch, ARoomBlockAnotherPlatformOwnsStartsNoShell) {
    const gs::UniqueMapping other(::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr,
                                                       PAGE_READWRITE, 0, 42536, L"GL_ROOM_REC"));
    ASSERT_TRUE(other);
    const LobbyRun owned = RunLobby({});
    EXPECT_EQ(owned.lobby.exitCode, 125u);
    EXPECT_NE(owned.lobby.output.find("exists already"), std::string::npos) << owned.lobby.output;
    EXPECT_FALSE(owned.ShellStarted());
}

TEST(LobbyLaunch, RawArgumentsArriveThroughTheQuotingExactly) {
    const LocalText name = NonAsciiName();
    const std::vector<std::wstring> sent = {
        L"plain",  L"",           L"two words",        L"tab\there",         L"q\"uote",
        L"\"",     L"trailing\\", L"trailing space\\", L"\\\\server\\share", L"back\\\\\"quote",
        L"--help", name.text};
    std::vector<std::wstring> arguments = sent;
    arguments.insert(arguments.begin(), L"--");
    const LobbyRun run = RunLobby(arguments);
    ASSERT_EQ(run.report.at("argc"), std::to_string(sent.size() + 1));
    for (size_t i = 0; i + 1 < sent.size(); ++i)
        EXPECT_EQ(run.report.at("arg" + std::to_string(i + 1)), Hex(WideToUtf8(sent[i]))) << i;
    EXPECT_EQ(run.report.at("arg" + std::to_string(sent.size())), name.ansiHex);
}

// The lobby's log line for each message it receives; the good one ends where memory does.
TEST(GameMasterRoomMessage, EachFlawIsNamedWithoutReadingWhatIsNotThere) {
    const HWND sender = reinterpret_cast<HWND>(0x1234);
    const unsigned char goodBytes[20] = {0xFE, 0xFF, 0xFF, 0xFF};
    const gs::test::GuardedMemory memory(sizeof goodBytes);
    ASSERT_TRUE(memory);
    unsigned char* const good = memory.PlaceAtEnd(goodBytes, sizeof goodBytes);
    unsigned char tail[20] = {};
    tail[19] = 1;
    const std::pair<COPYDATASTRUCT, const wchar_t*> cases[] = {
        {{lobby::kGameMasterRoomTag, lobby::kGameMasterRoomBytes, good},
         L"game-master room -2 from 0x00001234"},
        {{lobby::kGameMasterRoomTag + 1, lobby::kGameMasterRoomBytes, good}, L"dwData 0xFFF0123A"},
        {{lobby::kGameMasterRoomTag, lobby::kGameMasterRoomBytes + 4, good}, L"24 bytes"},
        {{lobby::kGameMasterRoomTag, lobby::kGameMasterRoomBytes, nullptr}, L"no data"},
        {{lobby::kGameMasterRoomTag, lobby::kGameMasterRoomBytes, tail}, L"nonzero byte 19"},
    };
    const std::wstring malformed = L"malformed game-master room message from 0x00001234: ";
    for (const auto& [data, line] : cases) {
        const bool wellFormed = &data == &cases[0].first;
        const lobby::GameMasterRoomReport report = lobby::DescribeGameMasterRoom(sender, &data);
        EXPECT_EQ(report.line, wellFormed ? line : malformed + line);
        EXPECT_EQ(report.wellFormed, wellFormed) << line;
    }
    EXPECT_FALSE(lobby::DescribeGameMasterRoom(sender, nullptr).wellFormed);
}
