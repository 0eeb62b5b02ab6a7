// The lobby, the shell, the codec and the test player as separate real processes,
// driven by scripted movies and checked by the player's transcript, the lobby's log,
// the files written and the exit codes.
#include "tests/e2e/ShellSession.h"

#include <gtest/gtest.h>

#include <windows.h>

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

TEST(Closing, CloseButtonAndSystemCloseOnlyAskTheMovieWhichEndsTheGame) {
    for (const bool fromButton : {true, false}) {
        SCOPED_TRACE(fromButton ? "close button" : "system Close command");
        const ShellInstall install(Movie("close.swf"));
        ASSERT_TRUE(install.Ready());
        ShellSession session(install, {});
        ASSERT_TRUE(session.WaitForTranscript("note ready"));
        const HWND window = session.WaitForWindow(L"UIMainFrame");
        ASSERT_NE(window, nullptr);
        if (fromButton) {
            RECT client{};
            ::GetClientRect(window, &client);
            const LPARAM point = MAKELPARAM(client.right - 20, 15);
            ::PostMessageW(window, WM_MOUSEMOVE, 0, point);
            ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
            ::PostMessageW(window, WM_LBUTTONUP, 0, point);
        } else {
            ::PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        const SessionOutcome outcome = session.Finish();
        EXPECT_EQ(outcome.lobby.exitCode, 0u) << outcome.lobby.output;
        EXPECT_TRUE(
            Contains(lobbytest::Lines(outcome.transcript),
                     "in <invoke name=\"OnClose\" returntype=\"xml\"><arguments/></invoke>"))
            << outcome.transcript;
        EXPECT_TRUE(Contains(lobbytest::Lines(outcome.transcript), "note close requested"));
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

    // Runs the movie that opens the address; true when the started program left its
    // arguments in the marker file (in `received`).
    bool Open(const std::string& address, std::vector<std::string>& received) {
        const ShellInstall install(Movie("open-url.swf", {{"@URL@", address}}));
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

    std::wstring m_marker;
};

// The address goes to whatever handles its scheme: here, for the test, the marker (tests
// that open web addresses share the lock "browser").
TEST_F(OpenUrl, AWebAddressGoesToTheSchemeHandler) {
    const ScopedSchemeHandler handler(L"http", L"\"" + MarkerProgram() + L"\" \"%1\"");
    ASSERT_TRUE(handler.IsSet());
    std::vector<std::string> received;
    ASSERT_TRUE(Open("http://lobby.example/room?id=42", received));
    EXPECT_EQ(received, std::vector<std::string>{"http://lobby.example/room?id=42"});
}

// The shell hands only web addresses on: a movie cannot start a program.
TEST_F(OpenUrl, AProgramPathStartsNothing) {
    std::vector<std::string> received;
    EXPECT_FALSE(Open(Utf8(MarkerProgram()), received)) << "the program was started";
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
