// The lobby, the shell, the codec and the test player as separate real processes,
// driven by scripted movies and checked by the player's transcript, the lobby's log,
// the files written and the exit codes.
#include "platform/win/ModulePath.h"
#include "tests/e2e/ShellInstall.h"
#include "tests/lobby/LobbySession.h"
#include "tests/support/BrowserProbe.h"
#include "tools/lobby/TextCodec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>

using namespace e2e;
using namespace lobbytest;
using lobby::WideToUtf8;

namespace {

std::string Movie(const std::string& name, const std::map<std::string, std::string>& values = {}) {
    std::string text = gs::test::ReadFileBytes(gs::ModuleFolder(nullptr) + L"movies\\" +
                                               std::wstring(name.begin(), name.end()));
    for (const auto& [placeholder, value] : values)
        for (size_t at = text.find(placeholder); at != std::string::npos;
             at = text.find(placeholder, at + value.size()))
            text.replace(at, placeholder.size(), value);
    return text;
}

// The lobby starting the install's shell, with the player's transcript in the install's
// transcript file.
LobbySession Start(const ShellInstall& install, std::vector<std::wstring> arguments = {}) {
    arguments.insert(arguments.begin(), {L"--timeout", L"90000"});
    return LobbySession(install.Shell(), std::move(arguments),
                        {{L"GS_TRANSCRIPT", install.TranscriptPath()}});
}

struct Outcome {
    LobbyOutcome lobby;
    std::vector<std::string> transcript;
};

Outcome Finish(LobbySession& session, const ShellInstall& install) {
    Outcome outcome;
    outcome.lobby = session.Finish();
    outcome.transcript = Lines(install.Transcript());
    EXPECT_EQ(outcome.lobby.exitCode, 0u) << outcome.lobby.output;
    EXPECT_GE(FindLine(outcome.lobby.log, "shell exited with code 0"), 0) << outcome.lobby.output;
    return outcome;
}

Outcome RunToEnd(const ShellInstall& install, std::vector<std::wstring> arguments = {}) {
    LobbySession session = Start(install, std::move(arguments));
    return Finish(session, install);
}

// The argument elements of the first request of that name the movie received, as
// their XML text; "(none arrived)" when there was none.
std::string ReceivedArguments(const std::vector<std::string>& transcript, const std::string& name) {
    const std::string start = "in <invoke name=\"" + name + "\"";
    for (const std::string& line : transcript) {
        const size_t from = line.find("<arguments>"), to = line.rfind("</arguments>");
        if (line.rfind(start, 0) == 0 && from != std::string::npos && to != std::string::npos)
            return line.substr(from + 11, to - from - 11);
    }
    return "(none arrived)";
}

// Texts of the active code page with characters outside ASCII, as given to the lobby
// and as the movie must receive them (UTF-8 in the transcript).
struct LocalText {
    std::wstring text;
    std::string utf8;
};

const std::vector<std::wstring> kLaunchFields = {
    L"--number1", L"42",          L"--text1", L"first",   L"--text2", L"second text", L"--word1",
    L"65535",     L"--room-text", L"1234567", L"--text3", L"third",   L"--word2",     L"7",
    L"--text4",   L"fourth",      L"--text5", L"fifth",   L"--word3", L"3",           L"--text6",
    L"sixth",     L"--number2",   L"-3",      L"--flag",  L"5",       L"--number3",   L"9"};

} // namespace

TEST(EnterGame, AckCarriesAllSeventeenArgumentsFromEachLaunchForm) {
    const bool chinese = ::GetACP() == 936;
    const LocalText user =
        chinese ? LocalText{L"\u5f20\u4e09\u4e30", "\xe5\xbc\xa0\xe4\xb8\x89\xe4\xb8\xb0"}
                : LocalText{L"J\u00fcrgen M\u00fcller", "J\xc3\xbcrgen M\xc3\xbcller"};
    const LocalText ticket = chinese ? LocalText{L"\u7968-0001", "\xe7\xa5\xa8-0001"}
                                     : LocalText{L"T\u00e9-0001", "T\xc3\xa9-0001"};
    // clang-format off
    const struct { std::vector<std::wstring> arguments; const char* flag; const char* number3; std::string ticket; } forms[] = {
        {{L"--form", L"handover"}, "<true/>", "9", ticket.utf8},
        {{L"--form", L"fields13"}, "<false/>", "0", ticket.utf8},
        {{L"--form", L"fields14"}, "<true/>", "0", ticket.utf8},
        {{L"--no-room-block"}, "<true/>", "9", ""},
    };
    // clang-format on
    for (const auto& form : forms) {
        SCOPED_TRACE(WideToUtf8(form.arguments.back()));
        const ShellInstall install(Movie("enter-game.swf"));
        ASSERT_TRUE(install.Ready());
        std::vector<std::wstring> arguments = kLaunchFields;
        arguments.insert(arguments.end(), {L"--username", user.text, L"--ticket", ticket.text});
        arguments.insert(arguments.end(), form.arguments.begin(), form.arguments.end());
        const Outcome outcome = RunToEnd(install, arguments);
        EXPECT_EQ(ReceivedArguments(outcome.transcript, "AckEnterGame"),
                  "<number>41</number><string>" + user.utf8 +
                      "</string><string>first</string><string>second text</string>"
                      "<number>65535</number><string>1234567</string><string>third</string>"
                      "<number>7</number><string>fourth</string><string>fifth</string>"
                      "<number>3</number><string>sixth</string><number>-3</number>" +
                      form.flag + "<number>" + form.number3 + "</number><string>" +
                      WideToUtf8(install.Folder()) + "flash</string><string>" + form.ticket +
                      "</string>");
        EXPECT_GE(FindLine(outcome.transcript, "note launch record received"), 0);
    }
}

// The number the movie gives, or for none the one derived from the room text, reaches
// the lobby's window from the shell's own; without the room block nothing is sent.
TEST(GameMasterRoom, SendsTheMoviesOrTheRoomsNumberToTheWindowTheRoomBlockNames) {
    struct Case {
        std::vector<std::wstring> arguments;
        std::vector<std::string> rooms;
    };
    const Case cases[] = {
        {{L"--room-text", L"1234567"},
         {"game-master room 42", "game-master room 23456", "game-master room -5"}},
        {{L"--no-room-block"}, {}},
    };
    for (const Case& c : cases) {
        const ShellInstall install(Movie("game-master-room.swf"));
        ASSERT_TRUE(install.Ready());
        const Outcome outcome = RunToEnd(install, c.arguments);
        EXPECT_GE(FindLine(outcome.transcript, "out <invoke name=\"GameMasterRoom\""), 0);
        std::vector<std::string> rooms; // a malformed message is logged as one too
        for (const std::string& line : outcome.lobby.log) {
            if (line.find("game-master room") == std::string::npos)
                continue;
            rooms.push_back(line.substr(0, line.find(" from ")));
            EXPECT_EQ(line.find(" from 0x00000000"), std::string::npos) << "no sender window";
        }
        EXPECT_EQ(rooms, c.rooms) << outcome.lobby.output;
    }
}

// A movie learns its size whether its callbacks exist as soon as it is loaded or only
// once its script runs; in the second case the shell tells it again, before it answers
// the movie's first call.
TEST(MovieSize, IsToldOnceTheMoviesCallbacksExist) {
    for (const char* registration : {"", "register at start"}) {
        SCOPED_TRACE(registration);
        const ShellInstall install(Movie("size.swf", {{"@REGISTER@", registration}}));
        ASSERT_TRUE(install.Ready());
        const std::vector<std::string> lines = RunToEnd(install).transcript;
        const int told = FindLine(lines, "note size ");
        ASSERT_GE(told, 0);
        EXPECT_EQ(lines[told], "note size 1000 x 625");
        EXPECT_EQ(FindLine(lines, "note size ", told + 1), -1) << "told once";
        EXPECT_LT(told, FindLine(lines, "in <invoke name=\"AckEnterGame\""))
            << "told before the first call is answered";
    }
}

namespace {

// The close button (its centre is 20 pixels in from the right, in the caption band) or
// the system Close command, posted as Windows would.
void RequestClose(HWND window, bool fromButton) {
    if (!fromButton) {
        ::PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        return;
    }
    RECT client{};
    ::GetClientRect(window, &client);
    const LPARAM point = MAKELPARAM(client.right - 20, 15);
    ::PostMessageW(window, WM_MOUSEMOVE, 0, point);
    ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::PostMessageW(window, WM_LBUTTONUP, 0, point);
}

} // namespace

// As the program itself makes it: the class and its style, the window style, the skin's
// size centred on the work area. (Its icons cannot be read from another process under
// Wine: WM_GETICON answers 0 there even for a window whose own process set them.)
TEST(MainWindow, OpensCentredWithTheShellsOwnStyles) {
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const ShellInstall install(Movie("close.swf"));
    ASSERT_TRUE(install.Ready());
    LobbySession session = Start(install);
    ASSERT_TRUE(session.WaitForText(install.TranscriptPath(), "note ready"));
    const HWND window = session.WaitForWindow(L"UIMainFrame");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(::GetClassLongW(window, GCL_STYLE), 0x080B);
    EXPECT_EQ(::GetWindowLongW(window, GWL_STYLE) & 0x10CF0000, 0x10CF0000);
    RECT rect{};
    ::GetWindowRect(window, &rect);
    EXPECT_EQ(std::pair(rect.right - rect.left, rect.bottom - rect.top), std::pair(1016L, 663L));
    EXPECT_LE(std::abs((rect.left - work.left) - (work.right - rect.right)), 1);
    EXPECT_LE(std::abs((rect.top - work.top) - (work.bottom - rect.bottom)), 1);
    RequestClose(window, true);
    Finish(session, install);
}

// A movie that has an "OnClose" callback decides on its closing (here: it ends the game);
// one that cannot be asked, because it has no such callback or could not be loaded at all,
// would leave a window nobody can close, so the request ends the shell with code 0.
TEST(Closing, IsTheMoviesDecisionWhenItCanBeAsked) {
    // clang-format off
    struct Case { const char* movie; const char* settings; const char* ready; bool fromButton; const char* outcome; };
    // clang-format on
    const char missingMovie[] = "<?xml version=\"1.0\"?><Settings><loadingFlash "
                                "bLocal=\"true\">flash\\missing.swf</loadingFlash></Settings>";
    const char notRegistered[] = "in-result E_FAIL OnClose (not registered)";
    for (const Case& c : {
             Case{"close.swf", "", "note ready", true, "note close requested"},
             Case{"idle.swf", "", "note ready", false, notRegistered},
             Case{"idle.swf", missingMovie, "load 0x80070002", true, notRegistered},
         }) {
        SCOPED_TRACE(std::string(c.movie) + (c.settings[0] ? " missing" : ""));
        const ShellInstall install(Movie(c.movie), c.settings);
        ASSERT_TRUE(install.Ready());
        LobbySession session = Start(install);
        ASSERT_TRUE(session.WaitForText(install.TranscriptPath(), c.ready));
        const HWND window = session.WaitForWindow(L"UIMainFrame");
        ASSERT_NE(window, nullptr);
        RequestClose(window, c.fromButton);
        const std::vector<std::string> transcript = Finish(session, install).transcript;
        for (const char* line :
             {"in <invoke name=\"OnClose\" returntype=\"xml\"><arguments/></invoke>", c.outcome})
            EXPECT_GE(FindLine(transcript, line), 0) << line;
    }
}

// Each address goes to whatever handles its scheme: here the probe, started by the
// command line a browser registers. A text that could break out of the quoted "%1", or
// that is no web address at all, starts nothing: a movie can neither add arguments to
// the browser nor start a program. The good address comes last, so that a start by any
// of the others is in the probe's report by the time it is.
TEST(OpenUrl, OnlyAWebAddressStartsTheBrowserWithItAsItsOneArgument) {
    const gs::test::BrowserProbe browser;
    ASSERT_TRUE(browser.IsSet());
    const std::string good = "https://lobby.example/room?id=42&name=a%20b#top";
    // Wine's own ShellExecuteW fails on 984 characters and more: the long accepted one
    // stays below that.
    const std::string long900 = "https://lobby.example/" + std::string(878, 'a');
    // (Each kind of refused text is checked through the real dispatch: the Dispatch tests.)
    const std::string addresses[] = {"https://x\" --some-flag \"y",
                                     "https://x y",
                                     WideToUtf8(gs::test::BrowserProbe::Program()),
                                     good,
                                     "https://x/" + std::string(2039, 'a'),
                                     long900};
    std::string lines;
    for (const std::string& address : addresses) {
        lines += "invoke OpenUrl \"";
        for (char c : address) // the script's two escapes
            lines += c == '"' || c == '\\' ? std::string("\\") + c : std::string(1, c);
        lines += "\"\n";
    }
    const ShellInstall install(Movie("open-url.swf", {{"@OPEN@", lines}}));
    ASSERT_TRUE(install.Ready());
    const Outcome outcome = RunToEnd(install);
    EXPECT_GE(FindLine(outcome.transcript, "out <invoke name=\"OpenUrl\""), 0);
    // The shell does not wait for what it started: give the programs time to finish.
    EXPECT_TRUE(gs::test::PumpUntil([&] { return browser.Opened().size() >= 2; }, 15000));
    gs::test::PumpFor(500); // a third browser would be another process, still starting
    gs::test::BrowserProbe::Starts opened = browser.Opened();
    std::ranges::sort(opened); // the two browsers report as they run
    EXPECT_EQ(opened, (gs::test::BrowserProbe::Starts{{long900}, {good}}));
}

TEST(FileExchange, LoadedGameSavedBackByteIdentical) {
    std::string content;
    for (int i = 0; i < 70000; ++i)
        content += static_cast<char>((i * 7919) >> 3);
    const std::wstring load = TempPath(L"slot 1", L".wzs");
    const std::wstring save = TempPath(L"copy", L"");
    ASSERT_TRUE(gs::test::WriteFileBytes(load, content));
    const ShellInstall install(
        Movie("load-save.swf", {{"@LOAD@", WideToUtf8(load)}, {"@SAVE@", WideToUtf8(save)}}));
    ASSERT_TRUE(install.Ready());
    const Outcome outcome = RunToEnd(install);
    EXPECT_EQ(ReceivedArguments(outcome.transcript, "OnSaveFile"),
              "<string>" + WideToUtf8(save) + ".wzs</string>");
    EXPECT_EQ(gs::test::ReadFileBytes(save + L".wzs"), content);
    ::DeleteFileW(load.c_str());
    ::DeleteFileW((save + L".wzs").c_str());
}

TEST(FileExchange, CancelledDialogsAreAnsweredWithEmptyStrings) {
    const ShellInstall install(Movie("cancelled.swf"));
    ASSERT_TRUE(install.Ready());
    const Outcome outcome = RunToEnd(install);
    EXPECT_EQ(ReceivedArguments(outcome.transcript, "OnLoadFile"),
              "<string></string><string></string>");
    EXPECT_EQ(ReceivedArguments(outcome.transcript, "OnSaveFile"), "<string></string>");
}
