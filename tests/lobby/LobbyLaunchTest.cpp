// The lobby as a real process, launching the probe in the shell's place: what the probe
// finds in its arguments and in both blocks, what the shell's own fill makes of them,
// and what the lobby logs and returns.
#include "platform/win/Handles.h"
#include "tests/lobby/ChildProcess.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>

using namespace lobbytest;

namespace {

struct LobbyRun {
    ChildResult child;
    std::vector<std::string> log;
    std::map<std::string, std::string> report;
};

// A text of the active code page with a non-ASCII character, and its bytes and UTF-8.
struct LocalText {
    std::wstring text;
    std::string ansiHex;
    std::string utf8;
};

LocalText NonAsciiName() {
    if (::GetACP() == 936)
        return {L"\u5f20\u4e09", "d5c5c8fd", "\xe5\xbc\xa0\xe4\xb8\x89"};
    return {L"M\u00fcller", "4dfc6c6c6572", "M\xc3\xbcller"};
}

std::string Hex(const std::string& bytes) {
    std::string text;
    char digits[3];
    for (unsigned char c : bytes) {
        std::snprintf(digits, sizeof digits, "%02x", c);
        text += digits;
    }
    return text;
}

std::string HandleText(const std::string& decimal) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", std::stoul(decimal));
    return text;
}

class LobbyLaunch : public ::testing::Test {
protected:
    LobbyRun Run(std::vector<std::wstring> arguments, Environment environment = {}) {
        const std::wstring report = TempPath(L"probe_report");
        const std::wstring log = TempPath(L"lobby_log");
        arguments.insert(arguments.begin(),
                         {L"--shell", ThisFolder() + L"lobby_probe.exe", L"--log", log});
        environment.emplace_back(L"PROBE_REPORT", report);
        LobbyRun run;
        run.child = RunChild(L"Lobby.exe", arguments, environment);
        run.log = Lines(ReadWholeFile(log));
        run.report = ReadReport(report);
        ::DeleteFileW(report.c_str());
        ::DeleteFileW(log.c_str());
        return run;
    }

    static bool Logged(const LobbyRun& run, const std::string& line) {
        return std::find(run.log.begin(), run.log.end(), line) != run.log.end();
    }
};

// The bytes of one field of the handover block as the probe read them.
std::string BlockBytes(const LobbyRun& run, size_t offset, size_t size) {
    return run.report.at("handover").substr(offset * 2, size * 2);
}

} // namespace

TEST_F(LobbyLaunch, HandoverBlockHoldsEveryFieldAtItsOffset) {
    const LocalText name = NonAsciiName();
    const LobbyRun run = Run({L"--number1", L"-2147483648", L"--username",
                              name.text,    L"--text1",     L"t1",
                              L"--text2",   L"t2",          L"--word1",
                              L"-1",        L"--room-text", L"1234567",
                              L"--text3",   L"t3",          L"--word2",
                              L"0x1234",    L"--text4",     std::wstring(255, L'x'),
                              L"--text5",   L"t5",          L"--word3",
                              L"65535",     L"--text6",     L"0123456789abcdef",
                              L"--number2", L"-7",          L"--flag",
                              L"5",         L"--number3",   L"0x7fffffff",
                              L"--ticket",  L"T-1"});
    ASSERT_TRUE(run.child.exited);
    EXPECT_EQ(run.child.exitCode, 0u) << run.child.output;
    ASSERT_EQ(run.report.at("argc"), "2");
    ASSERT_EQ(run.report.at("handover").size(), 992u);
    EXPECT_EQ(BlockBytes(run, 0, 4), "00000080");
    EXPECT_EQ(BlockBytes(run, 4, 20), name.ansiHex + std::string(40 - name.ansiHex.size(), '0'));
    EXPECT_EQ(BlockBytes(run, 84, 2), "ffff");
    EXPECT_EQ(BlockBytes(run, 166, 2), "3412");
    EXPECT_EQ(BlockBytes(run, 168, 256), Hex(std::string(255, 'x')) + "00");
    EXPECT_EQ(BlockBytes(run, 466, 16), Hex("0123456789abcdef")) << "a full field: no NUL";
    EXPECT_EQ(BlockBytes(run, 482, 2), "0000");
    EXPECT_EQ(BlockBytes(run, 484, 12), "f9ffffff05000000ffffff7f");
    // The shell's fill reads the same block back.
    EXPECT_EQ(run.report.at("record.Number1"), "2147483647");
    EXPECT_EQ(run.report.at("record.Username"), name.utf8);
    EXPECT_EQ(run.report.at("record.Word1"), "65535");
    EXPECT_EQ(run.report.at("record.RoomNumber"), "23456");
    EXPECT_EQ(run.report.at("record.Word2"), "4660");
    EXPECT_EQ(run.report.at("record.Flag"), "5");
    EXPECT_EQ(run.report.at("record.Number3"), "2147483647");
    EXPECT_EQ(run.report.at("record.Ticket"), "T-1");
}

TEST_F(LobbyLaunch, FieldFormsCarryEachFieldAsItsArgument) {
    const LocalText name = NonAsciiName();
    const std::vector<std::wstring> fields = {
        L"--number1", L"1",     L"--username",  name.text, L"--text2",   L"two words",
        L"--word1",   L"65537", L"--room-text", L"a12345", L"--text4",   L"",
        L"--number2", L"42abc", L"--flag",      L"3",      L"--number3", L"9"};
    for (const wchar_t* form : {L"fields13", L"fields14"}) {
        std::vector<std::wstring> arguments = fields;
        arguments.insert(arguments.end(), {L"--form", form});
        const LobbyRun run = Run(arguments);
        const bool withFlag = std::wstring(form) == L"fields14";
        ASSERT_TRUE(run.child.exited);
        EXPECT_EQ(run.report.at("argc"), withFlag ? "15" : "14");
        EXPECT_EQ(run.report.count("handover"), 0u) << "no block in the field forms";
        EXPECT_EQ(run.report.at("arg2"), name.ansiHex);
        EXPECT_EQ(run.report.at("arg4"), Hex("two words"));
        EXPECT_EQ(run.report.at("arg9"), "") << "an empty text is still an argument";
        EXPECT_EQ(run.report.at("arg13"), Hex("42abc")) << "numbers pass as written";
        EXPECT_EQ(run.report.at("record.Number1"), "0");
        EXPECT_EQ(run.report.at("record.Username"), name.utf8);
        EXPECT_EQ(run.report.at("record.Word1"), "1");
        EXPECT_EQ(run.report.at("record.RoomNumber"), "12345");
        EXPECT_EQ(run.report.at("record.Number2"), "42");
        EXPECT_EQ(run.report.at("record.Flag"), withFlag ? "3" : "0");
        EXPECT_EQ(run.report.at("record.Number3"), "0");
    }
}

TEST_F(LobbyLaunch, RawArgumentsArriveExactly) {
    const LobbyRun run = Run({L"--", L"a b", L"", L"q\"uote", L"back\\\\", L"--help"});
    ASSERT_TRUE(run.child.exited);
    ASSERT_EQ(run.report.at("argc"), "6");
    EXPECT_EQ(run.report.at("arg1"), Hex("a b"));
    EXPECT_EQ(run.report.at("arg2"), "");
    EXPECT_EQ(run.report.at("arg3"), Hex("q\"uote"));
    EXPECT_EQ(run.report.at("arg4"), Hex("back\\\\"));
    EXPECT_EQ(run.report.at("arg5"), Hex("--help"));

    const LobbyRun none = Run({L"--form", L"raw", L"--username", L"ignored"});
    EXPECT_EQ(none.report.at("argc"), "1");
    EXPECT_EQ(none.report.at("record.Username"), "");
}

TEST_F(LobbyLaunch, RoomBlockNamesTheLobbyWindowAndCarriesTheTicket) {
    const LobbyRun run = Run({L"--ticket", L"abc-123"});
    ASSERT_TRUE(run.child.exited);
    const std::string window = HandleText(run.report.at("room.window"));
    EXPECT_TRUE(Logged(run, "room block GL_ROOM_REC with window " + window));
    EXPECT_EQ(run.report.at("room.ticket"), Hex("abc-123"));
    EXPECT_EQ(run.report.at("record.PlatformWindow"), run.report.at("room.window"));
    EXPECT_EQ(run.report.at("record.Ticket"), "abc-123");
}

TEST_F(LobbyLaunch, TicketMayFillTheBlockToItsEnd) {
    // A plain text: as hex digits it would not fit in a command line (32767 units).
    const LobbyRun run = Run({L"--ticket", std::wstring(18816, L'7')});
    ASSERT_TRUE(run.child.exited);
    EXPECT_EQ(run.report.at("room.ticket"), Hex(std::string(18816, '7')));
    const LobbyRun tooLong = Run({L"--ticket", std::wstring(18817, L'a')});
    EXPECT_EQ(tooLong.child.exitCode, 125u);
    EXPECT_EQ(tooLong.report.count("argc"), 0u) << "the shell must not start";
}

TEST_F(LobbyLaunch, EitherBlockCanBeLeftOut) {
    const LobbyRun noRoom = Run({L"--no-room-block", L"--username", L"u", L"--ticket", L"t"});
    ASSERT_TRUE(noRoom.child.exited);
    EXPECT_EQ(noRoom.report.at("room"), "missing");
    EXPECT_EQ(noRoom.report.at("record.Username"), "u");
    EXPECT_EQ(noRoom.report.at("record.PlatformWindow"), "0");

    const LobbyRun noHandover = Run({L"--no-handover", L"--handover-name", L"NoSuchBlock42",
                                     L"--username", L"u", L"--ticket", L"t"});
    ASSERT_TRUE(noHandover.child.exited);
    EXPECT_EQ(noHandover.report.at("arg1"), Hex("NoSuchBlock42"));
    EXPECT_EQ(noHandover.report.at("handover"), "missing");
    EXPECT_EQ(noHandover.report.at("record.Username"), "");
    EXPECT_EQ(noHandover.report.at("record.Ticket"), "") << "a failed handover stops the fill";
}

TEST_F(LobbyLaunch, GameMasterRoomMessagesAreLoggedAndCheckedWhileTheShellRuns) {
    const LobbyRun run = Run({}, {{L"PROBE_SEND", L"room:42,room:-5,tag,size,tail"}});
    ASSERT_TRUE(run.child.exited);
    const std::string sender = HandleText(run.report.at("sender"));
    EXPECT_TRUE(Logged(run, "game-master room 42 from " + sender));
    EXPECT_TRUE(Logged(run, "game-master room -5 from " + sender));
    EXPECT_TRUE(
        Logged(run, "malformed game-master room message from " + sender + ": dwData 0xFFF0123A"));
    EXPECT_TRUE(Logged(run, "malformed game-master room message from " + sender + ": 24 bytes"));
    EXPECT_TRUE(
        Logged(run, "malformed game-master room message from " + sender + ": nonzero byte 19"));
    EXPECT_EQ(run.report.at("sent0"), "1");
    EXPECT_EQ(run.report.at("sent2"), "0");
    // The same lines reach standard output.
    EXPECT_NE(run.child.output.find("game-master room 42 from " + sender), std::string::npos);
}

TEST_F(LobbyLaunch, ReturnsTheShellExitCodeOrTimesOut) {
    const LobbyRun exited = Run({}, {{L"PROBE_EXIT", L"7"}});
    EXPECT_EQ(exited.child.exitCode, 7u);
    EXPECT_TRUE(Logged(exited, "shell process " + exited.report.at("pid")));
    EXPECT_TRUE(Logged(exited, "shell exited with code 7"));

    const LobbyRun hung = Run({L"--timeout", L"300"}, {{L"PROBE_HANG", L"1"}});
    ASSERT_TRUE(hung.child.exited);
    EXPECT_EQ(hung.child.exitCode, 124u);
    EXPECT_TRUE(Logged(hung, "timeout after 300 ms: shell killed"));
    EXPECT_EQ(hung.report.at("argc"), "2") << "the shell had started";
}

TEST_F(LobbyLaunch, RefusesWhatItCannotDoWithoutStartingTheShell) {
    const std::vector<std::vector<std::wstring>> refused = {
        {L"--username", std::wstring(21, L'u')}, // longer than its block field
        {L"--word2", L"65536"},
        {L"--number1", L"12x"},
        {L"--username-hex", L"abc"},
        {L"--form", L"fields15"},
        {L"--timeout"},
    };
    for (const auto& arguments : refused) {
        const LobbyRun run = Run(arguments);
        EXPECT_EQ(run.child.exitCode, 125u) << run.child.output;
        EXPECT_EQ(run.report.count("argc"), 0u) << run.child.output;
    }
}

TEST_F(LobbyLaunch, RefusesARoomBlockThatAnotherPlatformOwns) {
    const gs::UniqueMapping other(::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr,
                                                       PAGE_READWRITE, 0, 42536, L"GL_ROOM_REC"));
    ASSERT_TRUE(other);
    const LobbyRun run = Run({});
    EXPECT_EQ(run.child.exitCode, 125u);
    EXPECT_NE(run.child.output.find("exists already"), std::string::npos) << run.child.output;
    EXPECT_EQ(run.report.count("argc"), 0u);
}

TEST(LobbyAlone, MissingShellIsALobbyFailure) {
    const ChildResult run = RunChild(L"Lobby.exe", {L"--shell", L"C:\\no\\such\\Shell.exe"});
    EXPECT_EQ(run.exitCode, 125u);
    EXPECT_NE(run.output.find("cannot start"), std::string::npos) << run.output;
}

TEST(LobbyAlone, HelpNamesEveryOption) {
    const ChildResult run = RunChild(L"Lobby.exe", {L"--help"});
    EXPECT_EQ(run.exitCode, 0u);
    for (const char* option :
         {"--shell", "--form", "--no-room-block", "--no-handover", "--handover-name", "--log",
          "--timeout", "--ticket-hex", "--number1", "--room-text-hex", "--number3", "--flag"})
        EXPECT_NE(run.output.find(option), std::string::npos) << option;
}
