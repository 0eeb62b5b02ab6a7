#include "platform/host/ActiveXUI.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FrameHarness.h"

#include <gtest/gtest.h>

#include <cstdio>

using gs::test::FrameHarness;
using gs::test::FrameSkin;
using gs::test::QuietMovie;

namespace {

LRESULT HitTest(FrameHarness& harness, POINT client) {
    POINT screen = harness.ScreenPoint(client);
    return ::SendMessageW(harness.window(), WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
}

bool Visible(FrameHarness& harness, const wchar_t* name) {
    return harness.frame().GetPaintManager().FindControl(name)->IsVisible();
}

SIZE WindowSize(HWND window) {
    RECT rect;
    ::GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// The player's own window, which covers the Flash control.
HWND PlayerWindow(FrameHarness& harness) {
    auto* flash =
        dynamic_cast<DuiLib::CActiveXUI*>(harness.frame().GetPaintManager().FindControl(L"flash"));
    return flash ? flash->GetHostWindow() : nullptr;
}

// A key pressed and released, as the system delivers it to a window.
void PressKey(HWND window, WPARAM key) {
    ::SendMessageW(window, WM_KEYDOWN, key, 1);
    ::SendMessageW(window, WM_CHAR, key == VK_RETURN ? L'\r' : L' ', 1);
    ::SendMessageW(window, WM_KEYUP, key, 0xC0000001);
}

// The size the movie was told last, from its transcript.
SIZE LastOnSize(const FrameHarness& harness) {
    SIZE size{-1, -1};
    for (const std::string& line : harness.Transcript())
        (void)std::sscanf(line.c_str(),
                          "in <invoke name=\"OnSize\" returntype=\"xml\"><arguments><number>%ld"
                          "</number><number>%ld",
                          &size.cx, &size.cy);
    return size;
}

} // namespace

TEST(FrameWindow, TheCaptionBandDragsExceptOnButtons) {
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(FrameSkin(), QuietMovie()));
    EXPECT_EQ(HitTest(harness, harness.ClientCentre(L"title")), HTCAPTION);
    EXPECT_EQ(HitTest(harness, harness.ClientCentre(L"closebtn")), HTCLIENT);
    EXPECT_EQ(HitTest(harness, harness.ClientCentre(L"minbtn")), HTCLIENT);
    EXPECT_EQ(HitTest(harness, POINT{500, 200}), HTCLIENT) << "below the band";
    EXPECT_EQ(HitTest(harness, POINT{3, 40}), HTCLIENT) << "the border beside the movie";
}

TEST(FrameWindow, TheSkinSizesTheWindowAndTheChromeIsRecorded) {
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(FrameSkin(), QuietMovie()));
    SIZE window = WindowSize(harness.window());
    EXPECT_EQ(window.cx, 1016);
    EXPECT_EQ(window.cy, 663);
    EXPECT_EQ(harness.frame().GetChromeSize().cx, 16);
    EXPECT_EQ(harness.frame().GetChromeSize().cy, 38);
    EXPECT_EQ(harness.frame().GetMovieSize().cx, 1000);
    EXPECT_EQ(harness.frame().GetMovieSize().cy, 625);
    LONG style = ::GetWindowLongW(harness.window(), GWL_STYLE);
    EXPECT_EQ(style & (WS_CLIPSIBLINGS | WS_CLIPCHILDREN), WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
}

TEST(FrameWindow, TheWindowRegionFollowsTheCornerSize) {
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(FrameSkin("10,10"), QuietMovie()));
    gs::UniqueRegion actual(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(harness.window(), actual.get()), ERROR);
    SIZE window = WindowSize(harness.window());
    RECT box{};
    ::GetRgnBox(actual.get(), &box);
    EXPECT_EQ(box.right, window.cx);
    EXPECT_EQ(box.bottom, window.cy);
    EXPECT_FALSE(::PtInRegion(actual.get(), 0, 0)) << "the corners are cut";
    EXPECT_FALSE(::PtInRegion(actual.get(), window.cx - 1, window.cy - 1));
    EXPECT_TRUE(::PtInRegion(actual.get(), window.cx / 2, 0));
    EXPECT_TRUE(::PtInRegion(actual.get(), 0, window.cy / 2));
    EXPECT_TRUE(::PtInRegion(actual.get(), 5, 5));
}

TEST(FrameWindow, SquareCornersLeaveTheWindowWithoutARegion) {
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(FrameSkin("0,0"), QuietMovie()));
    gs::UniqueRegion actual(::CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(::GetWindowRgn(harness.window(), actual.get()), ERROR);
}

TEST(FrameWindow, CloseRequestsOnlyTellTheMovie) {
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(FrameSkin(), QuietMovie()));
    ::SendMessageW(harness.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(
        harness.WaitFor("in <invoke name=\"OnClose\" returntype=\"xml\"><arguments/></invoke>"));
    ::SendMessageW(harness.window(), WM_CLOSE, 0, 0);
    ::SendMessageW(harness.window(), WM_SYSCOMMAND, SC_CLOSE | 2, 0);
    harness.Click(L"closebtn");
    EXPECT_TRUE(harness.WaitFor("in <invoke name=\"OnClose\"", 2));
    gs::test::PumpFor(200);
    EXPECT_EQ(harness.Count("in <invoke name=\"OnClose\""), 2) << "WM_CLOSE tells nobody";
    EXPECT_TRUE(::IsWindow(harness.window()));
    EXPECT_TRUE(::IsWindowVisible(harness.window()));
}

TEST(FrameWindow, CaptionButtonsMinimiseMaximiseAndRestoreWithTheButtonSwap) {
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(FrameSkin(), QuietMovie()));
    harness.Click(L"maxbtn");
    ASSERT_TRUE(::IsZoomed(harness.window()));
    EXPECT_FALSE(Visible(harness, L"maxbtn"));
    EXPECT_TRUE(Visible(harness, L"restorebtn"));
    // The aspect rule asks for 1184 x 768 on the 1024 x 768 screen; the system keeps a
    // maximised window within its largest tracking size, 1036 wide here.
    ASSERT_EQ(::GetSystemMetrics(SM_CXMAXTRACK), 1036);
    SIZE maximised = WindowSize(harness.window());
    EXPECT_EQ(maximised.cx, 1036);
    EXPECT_EQ(maximised.cy, 768);

    harness.Click(L"restorebtn");
    ASSERT_FALSE(::IsZoomed(harness.window()));
    EXPECT_TRUE(Visible(harness, L"maxbtn"));
    EXPECT_FALSE(Visible(harness, L"restorebtn"));
    EXPECT_EQ(WindowSize(harness.window()).cx, 1016);

    harness.Click(L"minbtn");
    EXPECT_TRUE(::IsIconic(harness.window()));
    EXPECT_TRUE(Visible(harness, L"maxbtn")) << "minimising does not change the maximised state";
}

// After a caption button has acted, game keys still reach the movie, and neither Space
// nor Enter presses a caption button again, wherever they are delivered.
TEST(FrameWindow, CaptionButtonsLeaveTheKeyboardWithTheMovie) {
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(FrameSkin(), QuietMovie()));
    const HWND player = PlayerWindow(harness);
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(::GetFocus(), player) << "the movie has the keyboard from the start";
    harness.Click(L"minbtn");
    ASSERT_TRUE(::IsIconic(harness.window()));
    ::SendMessageW(harness.window(), WM_SYSCOMMAND, SC_RESTORE, 0); // the taskbar's Restore
    ASSERT_FALSE(::IsIconic(harness.window()));
    EXPECT_EQ(::GetFocus(), player);
    harness.Click(L"closebtn");
    ASSERT_TRUE(harness.WaitFor("in <invoke name=\"OnClose\""));
    EXPECT_EQ(::GetFocus(), player);
    for (const HWND target : {player, harness.window()})
        for (const WPARAM key : {VK_SPACE, VK_RETURN})
            PressKey(target, key);
    gs::test::PumpFor(200);
    EXPECT_FALSE(::IsIconic(harness.window())) << "a key pressed the minimise button again";
    EXPECT_EQ(harness.Count("in <invoke name=\"OnClose\""), 1) << "a key pressed close again";
}

// The shipped skin lets the movie fill the area below the caption band: restored and
// maximised, the control and the player's window have the size the movie is told.
TEST(FrameWindow, TheShippedSkinsMovieHasTheSizeItIsTold) {
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(
        gs::test::ReadFileBytes(L"Z:" GS_WIDE_SOURCE_DIR L"/assets/skin/skin.xml"), QuietMovie()));
    for (const wchar_t* button : {L"maxbtn", L"restorebtn"}) {
        SCOPED_TRACE(playertest::Utf8(button));
        harness.Click(button);
        EXPECT_EQ(::IsZoomed(harness.window()) != FALSE, std::wstring(button) == L"maxbtn");
        const RECT& control = harness.frame().GetPaintManager().FindControl(L"flash")->GetPos();
        const SIZE told = LastOnSize(harness);
        const SIZE player = WindowSize(PlayerWindow(harness));
        EXPECT_EQ(control.right - control.left, told.cx);
        EXPECT_EQ(control.bottom - control.top, told.cy);
        EXPECT_EQ(player.cx, told.cx);
        EXPECT_EQ(player.cy, told.cy);
    }
    EXPECT_EQ(LastOnSize(harness).cx, 1000);
    EXPECT_EQ(LastOnSize(harness).cy, 625);
}

// The movie can still call in while its control is released with the destroyed window;
// by then the frame no longer listens.
TEST(FrameWindow, AMovieCallingInAsTheWindowIsDestroyedIsNotHeard) {
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(FrameSkin(), QuietMovie("unload invoke ReqEnterGame\n")));
    ASSERT_TRUE(::DestroyWindow(harness.window()));
    EXPECT_TRUE(harness.WaitFor("out <invoke name=\"ReqEnterGame\"")) << "the movie called in";
    EXPECT_FALSE(harness.Traced(L"FlashCall sCommand"));
    EXPECT_EQ(harness.Count("in <invoke name=\"AckEnterGame\""), 0);
}

TEST(FrameWindow, TheMaximisedPlacementKeepsTheMoviesAspect) {
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(FrameSkin(), QuietMovie()));
    MINMAXINFO info{};
    info.ptMaxSize = {1920, 1080};
    info.ptMaxTrackSize = {1234, 987};
    ::SendMessageW(harness.window(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    // (768 - 38) x 1000 / 625 + 16 = 1184 wide, centred on the 1024 wide work area.
    EXPECT_EQ(info.ptMaxSize.x, 1184);
    EXPECT_EQ(info.ptMaxSize.y, 768);
    EXPECT_EQ(info.ptMaxPosition.x, -80);
    EXPECT_EQ(info.ptMaxPosition.y, 0);
    EXPECT_EQ(info.ptMaxTrackSize.x, 1234) << "the tracking sizes stay as proposed";
    EXPECT_EQ(info.ptMaxTrackSize.y, 987);
}

TEST(FrameWindow, ResizingTellsTheMovieItsArea) {
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(FrameSkin(), QuietMovie()));
    ::SetWindowPos(harness.window(), nullptr, 0, 0, 816, 538, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(harness.WaitFor(
        "in <invoke name=\"OnSize\" returntype=\"xml\"><arguments><number>800</number>"
        "<number>500</number></arguments></invoke>"));
}

TEST(FrameWindow, EveryRightPressReachesTheMovie) {
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(FrameSkin(), QuietMovie()));
    POINT button = harness.ClientCentre(L"closebtn");
    ::SendMessageW(harness.window(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(button.x, button.y));
    ::SendMessageW(harness.window(), WM_RBUTTONUP, 0, MAKELPARAM(button.x, button.y));
    EXPECT_TRUE(harness.WaitFor(
        "in <invoke name=\"OnRButtonDown\" returntype=\"xml\"><arguments/></invoke>"));
    // A quick second press arrives as a double click: the class asks for them.
    ::SendMessageW(harness.window(), WM_RBUTTONDBLCLK, MK_RBUTTON, MAKELPARAM(button.x, button.y));
    ::SendMessageW(harness.window(), WM_RBUTTONUP, 0, MAKELPARAM(button.x, button.y));
    EXPECT_TRUE(harness.WaitFor("in <invoke name=\"OnRButtonDown\"", 2));
}

// Only the low word of a timer's id picks a file flow; any dialog opened is cancelled.
TEST(FrameWindow, ForeignTimersAreConsumedAndRunNoFlow) {
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(FrameSkin(), QuietMovie("filedialog cancel\n")));
    for (WPARAM foreign : {WPARAM{77}, WPARAM{999}, WPARAM{1002}, WPARAM{0x10000}})
        EXPECT_EQ(::SendMessageW(harness.window(), WM_TIMER, foreign, 0), 0);
    gs::test::PumpFor(200);
    EXPECT_EQ(harness.Count("dialog "), 0) << "a file dialog was opened";
    EXPECT_EQ(harness.Count("in <invoke name=\"OnLoadFile\""), 0);
    EXPECT_EQ(harness.Count("in <invoke name=\"OnSaveFile\""), 0);
    ::SendMessageW(harness.window(), WM_TIMER, 0x103E8, 0);
    EXPECT_TRUE(harness.WaitFor("in <invoke name=\"OnLoadFile\""));
    EXPECT_EQ(harness.Count("dialog cancel"), 1);
}

TEST(FrameWindow, ASkinThatBuildsNothingEndsTheMessageLoop) {
    FrameHarness harness;
    EXPECT_FALSE(harness.Start("not a skin", QuietMovie()));
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);
}
