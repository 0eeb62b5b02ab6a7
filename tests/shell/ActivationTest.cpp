#include "tests/support/BrowserRecorder.h"
#include "tests/support/FrameHarness.h"
#include "tests/support/MessageBoxAnswer.h"

#include <gtest/gtest.h>

using gs::test::FrameHarness;
using gs::test::FrameSkin;
using gs::test::QuietMovie;

namespace {

void NotifyShowActiveX(FrameHarness& harness, const wchar_t* senderName, HRESULT created) {
    DuiLib::TNotifyUI msg;
    msg.sType = L"showactivex";
    msg.pSender = harness.frame().GetPaintManager().FindControl(senderName);
    msg.wParam = static_cast<WPARAM>(created);
    harness.frame().Notify(msg);
}

bool QuitPosted() {
    MSG msg;
    return ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && msg.wParam == 0;
}

} // namespace

TEST(Activation, LoadsTheMovieAndTellsItsSize) {
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(FrameSkin(), QuietMovie()));
    EXPECT_TRUE(harness.Traced(L"加载flash完成！path = " + harness.moviePath() + L"\n"));
    std::vector<std::string> lines = harness.Transcript();
    int load = playertest::FindLine(lines, "load S_OK ");
    int security = playertest::FindLine(lines, "method DisableLocalSecurity");
    int access = playertest::FindLine(lines, "set AllowScriptAccess always");
    int size = playertest::FindLine(
        lines, "in <invoke name=\"OnSize\" returntype=\"xml\"><arguments>"
               "<number>1000</number><number>625</number></arguments></invoke>");
    ASSERT_GE(load, 0);
    EXPECT_GT(security, load);
    EXPECT_GT(access, security);
    EXPECT_GT(size, access);
    EXPECT_TRUE(harness.Traced(L"CallFlash Sucessed callCommand = <invoke name=\"OnSize\""));
}

TEST(Activation, AMovieThePlayerCannotLoadStillGetsEveryOtherStep) {
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(FrameSkin(), "FWS\x0A not a script"));
    EXPECT_TRUE(harness.Traced(L"加载flash失败！！！！！path = " + harness.moviePath() + L"\n"));
    EXPECT_TRUE(harness.WaitFor("set AllowScriptAccess always"));
    EXPECT_EQ(harness.Count("method DisableLocalSecurity"), 1);
    EXPECT_TRUE(harness.Traced(L"CallFlash Fail callCommand = <invoke name=\"OnSize\""))
        << "the size request is still sent; the movie has no function for it";
}

TEST(Activation, AMissingPlayerIsReportedAndAnsweredNoQuitsWithoutAPage) {
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(FrameSkin(), QuietMovie()));
    gs::test::BrowserRecorder browser;
    {
        gs::test::MessageBoxAnswer answer(L"提示", IDNO);
        NotifyShowActiveX(harness, L"flash", REGDB_E_CLASSNOTREG);
        ASSERT_TRUE(answer.Seen());
        EXPECT_NE(answer.Text().find(L"您尚未安装Flash组件，点击[是]到Adobe官方下载插件吧！"),
                  std::wstring::npos);
    }
    EXPECT_TRUE(QuitPosted());
    gs::test::PumpFor(1500);
    EXPECT_TRUE(browser.Opened().empty());
}

TEST(Activation, AnsweredYesOpensTheBuiltInDownloadPage) {
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(FrameSkin(), QuietMovie()));
    gs::test::BrowserRecorder browser;
    {
        gs::test::MessageBoxAnswer answer(L"提示", IDYES);
        NotifyShowActiveX(harness, L"flash", REGDB_E_CLASSNOTREG);
        ASSERT_TRUE(answer.Seen());
    }
    EXPECT_TRUE(QuitPosted());
    ASSERT_TRUE(browser.WaitForOne());
    EXPECT_EQ(browser.Opened().front(), "https://www.adobe.com/cn/flashplayer/");
}

TEST(Activation, AnsweredYesOpensTheConfiguredDownloadPage) {
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(FrameSkin(), QuietMovie(),
                              "<DownloadFlash>https://example.com/get?flash=1</DownloadFlash>"));
    gs::test::BrowserRecorder browser;
    {
        gs::test::MessageBoxAnswer answer(L"提示", IDYES);
        NotifyShowActiveX(harness, L"flash", REGDB_E_CLASSNOTREG);
    }
    EXPECT_TRUE(QuitPosted());
    ASSERT_TRUE(browser.WaitForOne());
    EXPECT_EQ(browser.Opened().front(), "https://example.com/get?flash=1");
}

TEST(Activation, OtherFailuresQuitSilentlyAndOtherControlsAreIgnored) {
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(FrameSkin(), QuietMovie()));
    NotifyShowActiveX(harness, L"title", REGDB_E_CLASSNOTREG);
    EXPECT_FALSE(QuitPosted()) << "a control of another name is ignored";
    {
        gs::test::MessageBoxAnswer unexpected(L"提示", IDNO);
        NotifyShowActiveX(harness, L"flash", E_FAIL);
        EXPECT_FALSE(unexpected.Seen()) << "only a missing player is worth a message box";
    }
    EXPECT_TRUE(QuitPosted());
    NotifyShowActiveX(harness, L"flash", S_FALSE);
    EXPECT_FALSE(QuitPosted());
    EXPECT_TRUE(harness.WaitFor("load S_OK ", 2)) << "a positive result is a success";
}
