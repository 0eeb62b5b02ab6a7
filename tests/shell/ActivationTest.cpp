#include "tests/support/DialogAnswer.h"
#include "tests/support/FrameHarness.h"

#include <gtest/gtest.h>

using namespace gs::test;

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

// Whether or not the player can load the movie, it gets the security settings in order
// and is told its size; a broken movie has no function to take it.
TEST(Activation, ActivatesInOrderWhetherOrNotTheMovieLoads) {
    // clang-format off
    const struct { std::string movie; const wchar_t* loaded; const wchar_t* sized; } cases[] = {
        {QuietMovie(), L"加载flash完成！path = ", L"CallFlash Sucessed callCommand = "},
        {"FWS\x0A not a script", L"加载flash失败！！！！！path = ", L"CallFlash Fail callCommand = "},
    };
    // clang-format on
    for (const auto& c : cases) {
        FrameHarness harness;
        ASSERT_TRUE(harness.Start(FrameSkin(), c.movie));
        EXPECT_TRUE(harness.Traced(c.loaded + harness.moviePath() + L"\n"));
        ASSERT_TRUE(harness.WaitFor("set AllowScriptAccess always"));
        std::vector<std::string> lines = harness.Transcript();
        int load = FindLine(lines, "load ");
        int security = FindLine(lines, "method DisableLocalSecurity");
        int access = FindLine(lines, "set AllowScriptAccess always");
        ASSERT_GE(load, 0);
        EXPECT_GT(security, load);
        EXPECT_GT(access, security);
        EXPECT_EQ(harness.Count("method DisableLocalSecurity"), 1);
        EXPECT_TRUE(harness.Traced(c.sized + std::wstring(L"<invoke name=\"OnSize\"")));
    }
}

TEST(Activation, AFailureOtherThanAMissingPlayerQuitsSilently) {
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(FrameSkin(), QuietMovie()));
    DialogAnswer unexpected(L"提示", IDNO);
    NotifyShowActiveX(harness, L"flash", E_FAIL);
    EXPECT_FALSE(unexpected.Seen()) << "only a missing player is worth a message box";
    EXPECT_TRUE(QuitPosted());
}

TEST(Activation, OnlyTheFlashControlFailingQuits) {
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(FrameSkin(), QuietMovie()));
    NotifyShowActiveX(harness, L"title", REGDB_E_CLASSNOTREG);
    EXPECT_FALSE(QuitPosted()) << "a control of another name is ignored";
    NotifyShowActiveX(harness, L"flash", S_FALSE);
    EXPECT_FALSE(QuitPosted());
    EXPECT_TRUE(harness.WaitFor("load S_OK ", 2)) << "a positive result is a success";
}
