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

TEST(WithoutPlayer, TheDownloadOfferOpensTheChosenPageAsTheShellQuits) {
    if (!std::getenv("E2E_WITHOUT_PLAYER"))
        GTEST_SKIP() << "needs a prefix without any Flash Player (without-player.sh)";
    CLSID unused;
    ASSERT_NE(::CLSIDFromProgID(L"ShockwaveFlash.ShockwaveFlash", &unused), S_OK)
        << "a Flash Player is registered in this prefix";
    const char* const builtIn = "https://www.adobe.com/cn/flashplayer/";
    // clang-format off
    const struct { int answer; const char* settings; const char* page; /* none when null */ } cases[] = {
        {IDNO, "<DownloadFlash>https://example.com/get</DownloadFlash>", nullptr},
        {IDYES, "", builtIn},
        {IDYES, "<DownloadFlash></DownloadFlash>", builtIn},
        {IDYES, "<DownloadFlash>https://example.com/get?flash=1</DownloadFlash>",
         "https://example.com/get?flash=1"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.settings);
        const gs::test::BrowserProbe browser;
        const e2e::ShellInstall install("note ready\n",
                                        std::string("<?xml version=\"1.0\"?><Settings>") +
                                            c.settings + "</Settings>");
        ASSERT_TRUE(install.Ready());
        LobbySession session(install.Shell(), {});
        const HWND box = session.WaitForWindow(L"#32770");
        ASSERT_NE(box, nullptr) << "no message box";
        wchar_t caption[64] = {};
        ::GetWindowTextW(box, caption, 64);
        EXPECT_STREQ(caption, L"\u63d0\u793a");
        EXPECT_NE(gs::test::DialogAnswer::TextOf(box).find(
                      L"您尚未安装Flash组件，点击[是]到Adobe官方下载插件吧！"),
                  std::wstring::npos);
        gs::test::DialogAnswer::Press(box, c.answer);
        const LobbyOutcome outcome = session.Finish();
        EXPECT_EQ(outcome.exitCode, 0u) << outcome.output;
        EXPECT_GE(FindLine(outcome.log, "shell exited with code 0"), 0);
        if (c.page)
            EXPECT_TRUE(browser.WaitForStart());
        else
            gs::test::PumpFor(1000); // a browser, another process, would report within a second
        using Starts = gs::test::BrowserProbe::Starts;
        EXPECT_EQ(browser.Opened(), c.page ? Starts{{c.page}} : Starts{});
    }
}
