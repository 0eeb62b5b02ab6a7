// No Flash Player registered at all: the shell asks whether to download one, and quits
// with exit code 0 whatever the answer. Runs only in a Wine prefix where the test
// player was never registered (E2E_WITHOUT_PLAYER=1, see without-player.sh).
#include "tests/e2e/ShellSession.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <cstdlib>

using namespace e2e;

namespace {

class WithoutPlayer : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("E2E_WITHOUT_PLAYER"))
            GTEST_SKIP() << "needs a prefix without any Flash Player (without-player.sh)";
        CLSID unused;
        ASSERT_NE(::CLSIDFromProgID(L"ShockwaveFlash.ShockwaveFlash", &unused), S_OK)
            << "a Flash Player is registered in this prefix";
    }

    // Runs the shell, answers the download question with `button` and returns what the
    // run left behind.
    SessionOutcome Answer(const ShellInstall& install, int button, std::wstring& caption) {
        ShellSession session(install, {});
        const HWND box = session.WaitForWindow(L"#32770");
        EXPECT_NE(box, nullptr) << "no message box";
        if (box) {
            wchar_t text[64] = {};
            ::GetWindowTextW(box, text, 64);
            caption = text;
            ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(box, button)));
        }
        return session.Finish();
    }
};

} // namespace

TEST_F(WithoutPlayer, AnsweredNoTheShellQuitsWithExitCodeZero) {
    const ShellInstall install(
        lobbytest::ReadWholeFile(lobbytest::ThisFolder() + L"movies\\idle.swf"));
    ASSERT_TRUE(install.Ready());
    std::wstring caption;
    const SessionOutcome outcome = Answer(install, IDNO, caption);
    EXPECT_EQ(caption, L"\u63d0\u793a");
    EXPECT_TRUE(outcome.lobby.exited);
    EXPECT_EQ(outcome.lobby.exitCode, 0u) << outcome.lobby.output;
    EXPECT_TRUE(Contains(outcome.log, "shell exited with code 0"));
}

TEST_F(WithoutPlayer, AnsweredYesTheDownloadAddressOpensAndTheShellQuits) {
    const std::wstring marker = lobbytest::TempPath(L"download_marker");
    const std::string settings = "<?xml version=\"1.0\"?><Settings><DownloadFlash>" +
                                 Utf8(lobbytest::ThisFolder()) +
                                 "e2e_marker.exe</DownloadFlash></Settings>";
    const ShellInstall install("note ready\n", settings);
    ASSERT_TRUE(install.Ready());
    ::SetEnvironmentVariableW(L"E2E_MARKER", marker.c_str());
    std::wstring caption;
    const SessionOutcome outcome = Answer(install, IDYES, caption);
    ::SetEnvironmentVariableW(L"E2E_MARKER", nullptr);
    EXPECT_EQ(outcome.lobby.exitCode, 0u) << outcome.lobby.output;
    for (int attempt = 0;
         attempt < 500 && ::GetFileAttributesW(marker.c_str()) == INVALID_FILE_ATTRIBUTES;
         ++attempt)
        ::Sleep(20);
    EXPECT_NE(::GetFileAttributesW(marker.c_str()), INVALID_FILE_ATTRIBUTES)
        << "the download address was not opened";
    ::DeleteFileW(marker.c_str());
}
