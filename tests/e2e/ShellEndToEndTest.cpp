// The lobby, the shell, the codec and the test player as separate real processes,
// driven by scripted movies and checked by the player's transcript, the lobby's log,
// the files written and the exit codes.
#include "tests/e2e/ShellSession.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

using namespace e2e;

namespace {

std::string Movie(const std::string& name, const std::map<std::string, std::string>& values = {}) {
    std::string text = lobbytest::ReadWholeFile(lobbytest::ThisFolder() + L"movies\\" +
                                                std::wstring(name.begin(), name.end()));
    for (const auto& [placeholder, value] : values)
        for (size_t at = text.find(placeholder); at != std::string::npos;
             at = text.find(placeholder, at + value.size()))
            text.replace(at, placeholder.size(), value);
    return text;
}

// Texts of the active code page with characters outside ASCII, as given to the lobby
// and as the movie must receive them (UTF-8 in the transcript).
struct LocalText {
    std::wstring text;
    std::string utf8;
};

LocalText UserName() {
    if (::GetACP() == 936)
        return {L"\u5f20\u4e09\u4e30", "\xe5\xbc\xa0\xe4\xb8\x89\xe4\xb8\xb0"};
    return {L"J\u00fcrgen M\u00fcller", "J\xc3\xbcrgen M\xc3\xbcller"};
}

LocalText Ticket() {
    if (::GetACP() == 936)
        return {L"\u7968-0001", "\xe7\xa5\xa8-0001"};
    return {L"T\u00e9-0001", "T\xc3\xa9-0001"};
}

const std::vector<std::wstring> kLaunchFields = {
    L"--number1", L"42",          L"--text1", L"first",   L"--text2", L"second text", L"--word1",
    L"65535",     L"--room-text", L"1234567", L"--text3", L"third",   L"--word2",     L"7",
    L"--text4",   L"fourth",      L"--text5", L"fifth",   L"--word3", L"0",           L"--text6",
    L"sixth",     L"--number2",   L"-3",      L"--flag",  L"5",       L"--number3",   L"9"};

std::vector<std::string> ExpectedAck(const ShellInstall& install, const std::string& user,
                                     const std::string& flag, const std::string& number3,
                                     const std::string& ticket) {
    return {"<number>41</number>",
            "<string>" + user + "</string>",
            "<string>first</string>",
            "<string>second text</string>",
            "<number>65535</number>",
            "<string>1234567</string>",
            "<string>third</string>",
            "<number>7</number>",
            "<string>fourth</string>",
            "<string>fifth</string>",
            "<number>0</number>",
            "<string>sixth</string>",
            "<number>-3</number>",
            flag,
            "<number>" + number3 + "</number>",
            "<string>" + Utf8(install.Folder()) + "flash</string>",
            "<string>" + ticket + "</string>"};
}

SessionOutcome RunToEnd(const ShellInstall& install, std::vector<std::wstring> arguments,
                        lobbytest::Environment environment = {}) {
    ShellSession session(install, std::move(arguments), std::move(environment));
    return session.Finish();
}

} // namespace

TEST(EnterGame, AckCarriesAllSeventeenArgumentsFromEachLaunchForm) {
    const LocalText user = UserName();
    const LocalText ticket = Ticket();
    struct Form {
        const wchar_t* name;
        const char* flag;
        const char* number3;
    };
    for (const Form& form : {Form{L"handover", "<true/>", "9"}, Form{L"fields13", "<false/>", "0"},
                             Form{L"fields14", "<true/>", "0"}}) {
        SCOPED_TRACE(Utf8(form.name));
        const ShellInstall install(Movie("enter-game.swf"));
        ASSERT_TRUE(install.Ready());
        std::vector<std::wstring> arguments = kLaunchFields;
        arguments.insert(arguments.end(), {L"--username", user.text, L"--ticket", ticket.text,
                                           L"--form", form.name});
        const SessionOutcome outcome = RunToEnd(install, arguments);
        EXPECT_EQ(outcome.lobby.exitCode, 0u) << outcome.lobby.output;
        EXPECT_EQ(ReceivedArguments(outcome.transcript, "AckEnterGame"),
                  ExpectedAck(install, user.utf8, form.flag, form.number3, ticket.utf8))
            << outcome.transcript;
        EXPECT_TRUE(Contains(lobbytest::Lines(outcome.transcript), "note launch record received"));
        EXPECT_TRUE(Contains(outcome.log, "shell exited with code 0"));
    }
}

TEST(EnterGame, WithoutTheRoomBlockTheTicketIsEmpty) {
    const LocalText user = UserName();
    const LocalText ticket = Ticket();
    const ShellInstall install(Movie("enter-game.swf"));
    ASSERT_TRUE(install.Ready());
    std::vector<std::wstring> arguments = kLaunchFields;
    arguments.insert(arguments.end(),
                     {L"--username", user.text, L"--ticket", ticket.text, L"--no-room-block"});
    const SessionOutcome outcome = RunToEnd(install, arguments);
    EXPECT_EQ(outcome.lobby.exitCode, 0u) << outcome.lobby.output;
    EXPECT_EQ(ReceivedArguments(outcome.transcript, "AckEnterGame"),
              ExpectedAck(install, user.utf8, "<true/>", "9", ""))
        << outcome.transcript;
}

TEST(GameMasterRoom, ReachesTheLobbyWindowWithTheGivenOrTheDerivedNumber) {
    struct Case {
        const char* room;
        const char* logged;
    };
    for (const Case& c :
         {Case{"42", "game-master room 42 from 0x"}, Case{"", "game-master room 23456 from 0x"}}) {
        SCOPED_TRACE(c.room);
        const ShellInstall install(Movie("game-master-room.swf", {{"@ROOM@", c.room}}));
        ASSERT_TRUE(install.Ready());
        const SessionOutcome outcome = RunToEnd(install, {L"--room-text", L"1234567"});
        EXPECT_EQ(outcome.lobby.exitCode, 0u) << outcome.lobby.output;
        EXPECT_TRUE(Contains(outcome.log, c.logged)) << outcome.lobby.output;
        EXPECT_FALSE(Contains(outcome.log, "malformed")) << outcome.lobby.output;
    }
}

TEST(GameMasterRoom, NothingArrivesWithoutTheRoomBlock) {
    const ShellInstall install(Movie("game-master-room.swf", {{"@ROOM@", "42"}}));
    ASSERT_TRUE(install.Ready());
    const SessionOutcome outcome = RunToEnd(install, {L"--no-room-block"});
    EXPECT_EQ(outcome.lobby.exitCode, 0u) << outcome.lobby.output;
    EXPECT_TRUE(
        Contains(lobbytest::Lines(outcome.transcript), "out <invoke name=\"GameMasterRoom\""))
        << outcome.transcript;
    EXPECT_FALSE(Contains(outcome.log, "game-master room"));
    EXPECT_FALSE(Contains(outcome.log, "malformed"));
}

// A movie learns its size whether its callbacks exist as soon as it is loaded or only
// once its script runs; in the second case the shell tells it again, before it answers
// the movie's first call.
TEST(MovieSize, IsToldOnceTheMoviesCallbacksExist) {
    for (const bool atStart : {false, true}) {
        SCOPED_TRACE(atStart ? "callbacks registered at start" : "callbacks registered at load");
        const ShellInstall install(
            Movie("size.swf", {{"@REGISTER@", atStart ? "register at start" : ""}}));
        ASSERT_TRUE(install.Ready());
        const SessionOutcome outcome = RunToEnd(install, {});
        EXPECT_EQ(outcome.lobby.exitCode, 0u) << outcome.lobby.output;
        const std::vector<std::string> lines = lobbytest::Lines(outcome.transcript);
        const auto first = [&](const std::string& prefix) {
            return std::find_if(lines.begin(), lines.end(), [&](const std::string& line) {
                return line.rfind(prefix, 0) == 0;
            });
        };
        const auto told = first("note size ");
        ASSERT_NE(told, lines.end()) << outcome.transcript;
        EXPECT_EQ(*told, "note size 1000 x 625");
        EXPECT_EQ(
            std::count_if(lines.begin(), lines.end(),
                          [](const std::string& line) { return line.rfind("note size ", 0) == 0; }),
            1)
            << outcome.transcript;
        const auto answered = first("in <invoke name=\"AckEnterGame\"");
        ASSERT_NE(answered, lines.end()) << outcome.transcript;
        EXPECT_LT(told, answered) << "told before the first call is answered";
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

const char kMissingMovieSettings[] = R"(<?xml version="1.0"?>
<Settings><loadingFlash bLocal="true">flash\missing.swf</loadingFlash></Settings>
)";

} // namespace

// The main window as the program itself makes it: the class and its style, the window
// style, the skin's size centred on the work area, and exit code 0 at the movie's end.
// (Its icons cannot be read from another process under Wine: WM_GETICON answers 0 there
// even for a window whose own process has just set them.)
TEST(StartUp, TheMainWindowAsTheProgramMakesIt) {
    const ShellInstall install(Movie("close.swf"));
    ASSERT_TRUE(install.Ready());
    ShellSession session(install, {});
    ASSERT_TRUE(session.WaitForTranscript("note ready"));
    const HWND window = session.WaitForWindow(L"UIMainFrame");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(::GetClassLongW(window, GCL_STYLE), 0x080B);
    EXPECT_EQ(::GetWindowLongW(window, GWL_STYLE) & 0x10CF0000, 0x10CF0000);
    RECT rect{};
    ::GetWindowRect(window, &rect);
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(rect.right - rect.left, 1016);
    EXPECT_EQ(rect.bottom - rect.top, 663);
    EXPECT_LE(std::abs((rect.left - work.left) - (work.right - rect.right)), 1);
    EXPECT_LE(std::abs((rect.top - work.top) - (work.bottom - rect.bottom)), 1);
    RequestClose(window, true);
    const SessionOutcome outcome = session.Finish();
    EXPECT_TRUE(Contains(outcome.log, "shell exited with code 0")) << outcome.lobby.output;
}

// A movie that has an "OnClose" callback decides (here: it ends the game); one that
// cannot be asked, because it has no such callback or could not be loaded at all, would
// leave a window nobody can close, so the request ends the shell with code 0.
TEST(Closing, TheMovieDecidesAndAMovieThatCannotBeAskedEndsTheShell) {
    struct Case {
        const char* name;
        const char* movie;
        const char* settings;
        const char* ready;
        bool fromButton;
        const char* outcome;
    };
    for (const Case& c : {
             Case{"button, movie decides", "close.swf", "", "note ready", true,
                  "note close requested"},
             Case{"system Close, movie decides", "close.swf", "", "note ready", false,
                  "note close requested"},
             Case{"no OnClose callback", "idle.swf", "", "note ready", false,
                  "in-result E_FAIL OnClose (not registered)"},
             Case{"no movie", "idle.swf", kMissingMovieSettings, "load 0x80070002", true,
                  "in-result E_FAIL OnClose (not registered)"},
         }) {
        SCOPED_TRACE(c.name);
        const ShellInstall install(Movie(c.movie), c.settings);
        ASSERT_TRUE(install.Ready());
        ShellSession session(install, {});
        ASSERT_TRUE(session.WaitForTranscript(c.ready));
        const HWND window = session.WaitForWindow(L"UIMainFrame");
        ASSERT_NE(window, nullptr);
        RequestClose(window, c.fromButton);
        const SessionOutcome outcome = session.Finish();
        EXPECT_EQ(outcome.lobby.exitCode, 0u) << outcome.lobby.output;
        EXPECT_TRUE(Contains(outcome.log, "shell exited with code 0")) << outcome.lobby.output;
        const std::vector<std::string> lines = lobbytest::Lines(outcome.transcript);
        EXPECT_TRUE(
            Contains(lines, "in <invoke name=\"OnClose\" returntype=\"xml\"><arguments/></invoke>"))
            << outcome.transcript;
        EXPECT_TRUE(Contains(lines, c.outcome)) << outcome.transcript;
    }
}

// Points a URL scheme's "open" command at another program for the life of the object.
class ScopedSchemeHandler {
public:
    ScopedSchemeHandler(const std::wstring& scheme, const std::wstring& command)
        : m_key(scheme + L"\\shell\\open\\command") {
        wchar_t value[1024] = {};
        LONG size = sizeof value;
        m_hadValue =
            ::RegQueryValueW(HKEY_CLASSES_ROOT, m_key.c_str(), value, &size) == ERROR_SUCCESS;
        m_previous = value;
        m_set = Set(command);
    }
    ~ScopedSchemeHandler() {
        if (m_hadValue)
            (void)Set(m_previous);
        else
            (void)::RegDeleteKeyW(HKEY_CLASSES_ROOT, m_key.c_str());
    }
    bool IsSet() const { return m_set; }

private:
    bool Set(const std::wstring& command) const {
        return ::RegSetValueW(HKEY_CLASSES_ROOT, m_key.c_str(), REG_SZ, command.c_str(),
                              static_cast<DWORD>(command.size() * sizeof(wchar_t))) ==
               ERROR_SUCCESS;
    }

    std::wstring m_key;
    std::wstring m_previous;
    bool m_hadValue = false;
    bool m_set = false;
};

class OpenUrl : public ::testing::Test {
protected:
    void SetUp() override { m_marker = lobbytest::TempPath(L"marker"); }
    void TearDown() override { ::DeleteFileW(m_marker.c_str()); }

    // Runs a movie that opens each address in turn; true when a started program left its
    // arguments in the marker file (in `received`, one line each).
    bool Open(const std::vector<std::string>& addresses, std::vector<std::string>& received) {
        std::string lines;
        for (const std::string& address : addresses)
            lines += "invoke OpenUrl " + Quoted(address) + "\n";
        const ShellInstall install(Movie("open-url.swf", {{"@OPEN@", lines}}));
        EXPECT_TRUE(install.Ready());
        ShellSession session(install, {}, {{L"E2E_MARKER", m_marker}});
        const SessionOutcome outcome = session.Finish();
        EXPECT_EQ(outcome.lobby.exitCode, 0u) << outcome.lobby.output;
        EXPECT_TRUE(Contains(lobbytest::Lines(outcome.transcript), "out <invoke name=\"OpenUrl\""))
            << outcome.transcript;
        // The shell does not wait for what it started: give the program time to appear.
        for (int attempt = 0; attempt < 250 && !MarkerWritten(); ++attempt)
            ::Sleep(20);
        received = lobbytest::Lines(lobbytest::ReadWholeFile(m_marker));
        return MarkerWritten();
    }

    bool MarkerWritten() const {
        return ::GetFileAttributesW(m_marker.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    static std::wstring MarkerProgram() { return lobbytest::ThisFolder() + L"e2e_marker.exe"; }

    // The movie script's quoted text, with its two escapes.
    static std::string Quoted(const std::string& text) {
        std::string quoted = "\"";
        for (char c : text)
            quoted += c == '"' || c == '\\' ? std::string("\\") + c : std::string(1, c);
        return quoted + "\"";
    }

    std::wstring m_marker;
};

// Each address goes to whatever handles its scheme: here, for the test, the marker,
// started by the command line a browser registers (tests that open web addresses share
// the lock "browser").
TEST_F(OpenUrl, AWebAddressArrivesAsExactlyOneArgument) {
    const ScopedSchemeHandler handler(L"http", L"\"" + MarkerProgram() + L"\" \"%1\"");
    ASSERT_TRUE(handler.IsSet());
    std::vector<std::string> received;
    ASSERT_TRUE(Open({"http://lobby.example/room?id=42&name=a%20b#top"}, received));
    EXPECT_EQ(received, std::vector<std::string>{"http://lobby.example/room?id=42&name=a%20b#top"});
}

// A text that could break out of the quoted "%1", or that is no web address at all,
// starts nothing: a movie can neither add arguments to the browser nor start a program.
TEST_F(OpenUrl, HostileAddressesAndProgramPathsStartNothing) {
    const ScopedSchemeHandler handler(L"http", L"\"" + MarkerProgram() + L"\" \"%1\"");
    ASSERT_TRUE(handler.IsSet());
    std::vector<std::string> received;
    EXPECT_FALSE(Open({"http://x\" --some-flag \"y", "http://x y", "http://x/<a>", "http://x/|a",
                       "http://x/^a", "http://x/`a", "http://x/{a}", Utf8(MarkerProgram())},
                      received))
        << "started with: " << ::testing::PrintToString(received);
}

class FileExchange : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = lobbytest::TempPath(L"games", L"\\");
        std::filesystem::create_directories(std::filesystem::path(m_folder));
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(m_folder), ignored);
    }
    std::wstring m_folder;
};

TEST_F(FileExchange, LoadedGameSavedBackByteIdentical) {
    std::string content;
    for (int i = 0; i < 70000; ++i)
        content += static_cast<char>((i * 7919) >> 3);
    const std::wstring load = m_folder + L"slot 1.wzs";
    const std::wstring save = m_folder + L"copy";
    std::ofstream(std::filesystem::path(load), std::ios::binary) << content;
    const ShellInstall install(
        Movie("load-save.swf", {{"@LOAD@", Utf8(load)}, {"@SAVE@", Utf8(save)}}));
    ASSERT_TRUE(install.Ready());
    const SessionOutcome outcome = RunToEnd(install, {});
    EXPECT_EQ(outcome.lobby.exitCode, 0u) << outcome.lobby.output;
    EXPECT_EQ(ReceivedArguments(outcome.transcript, "OnSaveFile"),
              std::vector<std::string>{"<string>" + Utf8(save) + ".wzs</string>"})
        << outcome.transcript;
    EXPECT_EQ(lobbytest::ReadWholeFile(save + L".wzs"), content);
}

TEST_F(FileExchange, CancelledDialogsAreAnsweredWithEmptyStrings) {
    const ShellInstall loading(Movie("load-cancelled.swf"));
    ASSERT_TRUE(loading.Ready());
    const SessionOutcome loaded = RunToEnd(loading, {});
    EXPECT_EQ(loaded.lobby.exitCode, 0u);
    EXPECT_EQ(ReceivedArguments(loaded.transcript, "OnLoadFile"),
              (std::vector<std::string>{"<string></string>", "<string></string>"}))
        << loaded.transcript;

    const ShellInstall saving(Movie("save-cancelled.swf"));
    ASSERT_TRUE(saving.Ready());
    const SessionOutcome saved = RunToEnd(saving, {});
    EXPECT_EQ(saved.lobby.exitCode, 0u);
    EXPECT_EQ(ReceivedArguments(saved.transcript, "OnSaveFile"),
              std::vector<std::string>{"<string></string>"})
        << saved.transcript;
}
