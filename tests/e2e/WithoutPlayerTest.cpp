// No Flash Player registered at all: the shell asks whether to download one, and quits
// with exit code 0 whatever the answer. Runs only in a Wine prefix where the test
// player was never registered (E2E_WITHOUT_PLAYER=1, see without-player.sh).
#include "tests/e2e/ShellInstall.h"
#include "tests/lobby/LobbySession.h"
#include "tests/support/BrowserProbe.h"
#include "tests/support/DialogAnswer.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <cstdlib>

using namespace lobbytest;

// Answered "yes", the download address is opened first.
TEST(WithoutPlayer, EitherAnswerQuitsWithExitCodeZeroAndYesOpensTheDownloadAddress) {
    if (!std::getenv("E2E_WITHOUT_PLAYER"))
        GTEST_SKIP() << "needs a prefix without any Flash Player (without-player.sh)";
    CLSID unused;
    ASSERT_NE(::CLSIDFromProgID(L"ShockwaveFlash.ShockwaveFlash", &unused), S_OK)
        << "a Flash Player is registered in this prefix";
    const std::string address = "https://example.com/get?flash=1";
    for (const int button : {IDNO, IDYES}) {
        SCOPED_TRACE(button);
        const gs::test::BrowserProbe browser;
        const e2e::ShellInstall install("note ready\n",
                                        "<?xml version=\"1.0\"?><Settings><DownloadFlash>" +
                                            address + "</DownloadFlash></Settings>");
        ASSERT_TRUE(install.Ready());
        LobbySession session(install.Shell(), {});
        const HWND box = session.WaitForWindow(L"#32770");
        ASSERT_NE(box, nullptr) << "no message box";
        wchar_t caption[64] = {};
        ::GetWindowTextW(box, caption, 64);
        EXPECT_STREQ(caption, L"\u63d0\u793a");
        gs::test::DialogAnswer::Press(box, button);
        const LobbyOutcome outcome = session.Finish();
        EXPECT_EQ(outcome.exitCode, 0u) << outcome.output;
        EXPECT_TRUE(HasLineStarting(outcome.log, "shell exited with code 0"));
        if (button == IDYES) {
            EXPECT_TRUE(browser.WaitForStart());
        }
        EXPECT_EQ(browser.Opened(), gs::test::BrowserProbe::Starts(button == IDYES, {address}));
    }
}
