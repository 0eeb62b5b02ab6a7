#include "platform/host/ActiveXUI.h"
#include "platform/ui/ContainerUI.h"
#include "platform/ui/DialogBuilder.h"
#include "shell/ComputerExamineUI.h"
#include "shell/DialogBuilderCallbackEx.h"
#include "tests/platform/ui/PaintedPixels.h"
#include "tests/support/FrameHarness.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <utility>

using namespace gs::test;

namespace {

bool Visible(FrameHarness& harness, const wchar_t* name) {
    return harness.frame().GetPaintManager().FindControl(name)->IsVisible();
}

void ExpectMaximised(FrameHarness& harness, bool maximised) {
    EXPECT_EQ(::IsZoomed(harness.window()) != FALSE, maximised);
    EXPECT_EQ(Visible(harness, L"maxbtn"), !maximised);
    EXPECT_EQ(Visible(harness, L"restorebtn"), maximised);
    EXPECT_EQ(WindowSize(harness.window()), maximised ? Dims(1024, 668) : Dims(1016, 663));
}

} // namespace

TEST(FrameWindow, TheSkinShapesTheWindow) {
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(FrameSkin("10,10"), QuietMovie()));
    const SIZE chrome = harness.frame().GetChromeSize();
    const SIZE movie = harness.frame().GetMovieSize();
    EXPECT_EQ(Dims(chrome.cx, chrome.cy), Dims(16, 38));
    EXPECT_EQ(Dims(movie.cx, movie.cy), Dims(1000, 625));
    LONG style = ::GetWindowLongW(harness.window(), GWL_STYLE);
    EXPECT_EQ(style & (WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION),
              WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION);

    // The round region itself is the scale tests' (at every DPI).
    EXPECT_EQ(HitTest(harness, L"title"), HTCAPTION);
    for (const wchar_t* button : {L"closebtn", L"minbtn", L"helpbtn"})
        EXPECT_EQ(HitTest(harness, button), HTCLIENT) << "buttons are pressed, not dragged";
    EXPECT_EQ(HitTest(harness, nullptr, {500, 200}), HTCLIENT) << "below the band";
    EXPECT_EQ(HitTest(harness, nullptr, {3, 40}), HTCLIENT) << "the border beside the movie";
}

TEST(FrameWindow, SquareCornersLeaveTheWindowWithoutARegion) {
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(FrameSkin("0,0"), QuietMovie()));
    gs::UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(::GetWindowRgn(harness.window(), region.get()), ERROR);
}

// A frame with the test skin and a movie that answers everything the shell sends.
class QuietFrame : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(harness.Start(FrameSkin(), QuietMovie())); }
    FrameHarness harness;
};

// Every notification but a click on the close button, a right press on it (each press
// reaches the movie; a quick second one arrives as a double click, which the class asks
// for) and a WM_CLOSE from outside leave everything as it was.
TEST_F(QuietFrame, OtherInputThanACloseRequestLeavesTheWindowAsItWas) {
    const struct {
        const wchar_t* type;
        const wchar_t* sender;
    } ignored[] = {{L"windowinit", L"closebtn"}, {L"windowinit", L"maxbtn"},
                   {L"click", L"title"},         {L"click", L"helpbtn"},
                   {L"click", L"flash"},         {L"Click", L"closebtn"},
                   {L"itemclick", L"minbtn"}};
    for (const auto& notification : ignored) {
        DuiLib::TNotifyUI msg;
        msg.sType = notification.type;
        msg.pSender = harness.frame().GetPaintManager().FindControl(notification.sender);
        harness.frame().Notify(msg);
    }
    const POINT button = harness.ClientCentre(L"closebtn");
    for (UINT press : {WM_RBUTTONDOWN, WM_RBUTTONDBLCLK}) {
        ::SendMessageW(harness.window(), press, MK_RBUTTON, MAKELPARAM(button.x, button.y));
        ::SendMessageW(harness.window(), WM_RBUTTONUP, 0, MAKELPARAM(button.x, button.y));
    }
    EXPECT_TRUE(harness.WaitFor(
        "in <invoke name=\"OnRButtonDown\" returntype=\"xml\"><arguments/></invoke>", 2));
    ::SendMessageW(harness.window(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntilSettled());
    EXPECT_EQ(harness.Count("in <invoke name=\"OnClose\""), 0);
    EXPECT_TRUE(::IsWindowVisible(harness.window()) && !::IsZoomed(harness.window()) &&
                !::IsIconic(harness.window()));
    EXPECT_TRUE(Visible(harness, L"maxbtn"));
}

// Only the system's Close command and the close button ask the movie; the window stays.
TEST_F(QuietFrame, CloseRequestsOnlyTellTheMovie) {
    ::SendMessageW(harness.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(
        harness.WaitFor("in <invoke name=\"OnClose\" returntype=\"xml\"><arguments/></invoke>"));
    ::SendMessageW(harness.window(), WM_SYSCOMMAND, SC_CLOSE | 2, 0); // ends in WM_CLOSE
    ASSERT_TRUE(PumpUntilSettled());
    EXPECT_EQ(harness.Count("in <invoke name=\"OnClose\""), 1);
    harness.Click(L"closebtn");
    EXPECT_TRUE(harness.WaitFor("in <invoke name=\"OnClose\"", 2));
    ASSERT_TRUE(PumpUntilSettled());
    EXPECT_EQ(harness.Count("in <invoke name=\"OnClose\""), 2);
    EXPECT_TRUE(::IsWindowVisible(harness.window()));
}

// The caption buttons and a double click in the caption band, whose hit test the
// system turns into the same maximise and restore commands.
TEST(FrameWindow, EveryWayToMaximiseKeepsTheMoviesAspect) {
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(FrameSkin(), QuietMovie()));
    MINMAXINFO info{};
    info.ptMaxSize = {1920, 1080};
    info.ptMaxTrackSize = {1234, 987};
    ::SendMessageW(harness.window(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    // The full height would need (768 - 38) x 1000 / 625 + 16 = 1184 of the 1024 x 768
    // work area's width: the window fills the width, 1008 x 625 / 1000 + 38 = 668 high.
    RECT work{};
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    ASSERT_EQ(Dims(work.right - work.left, work.bottom - work.top), Dims(1024, 768));
    EXPECT_EQ(Dims(info.ptMaxSize.x, info.ptMaxSize.y), Dims(1024, 668));
    EXPECT_EQ(Dims(info.ptMaxPosition.x, info.ptMaxPosition.y), Dims(0, 50));
    EXPECT_EQ(Dims(info.ptMaxTrackSize.x, info.ptMaxTrackSize.y), Dims(1234, 987))
        << "the tracking sizes stay as proposed";

    harness.Click(L"maxbtn");
    ExpectMaximised(harness, true);
    harness.Click(L"restorebtn");
    ExpectMaximised(harness, false);
    for (bool maximised : {true, false}) {
        const POINT title = harness.ScreenPoint(harness.ClientCentre(L"title"));
        ::SendMessageW(harness.window(), WM_NCLBUTTONDBLCLK, HitTest(harness, L"title"),
                       MAKELPARAM(title.x, title.y));
        ExpectMaximised(harness, maximised);
    }
}

TEST_F(QuietFrame, TheMovieHasTheKeyboardFromTheStart) {
    EXPECT_EQ(::GetFocus(), PlayerWindow(harness));
}

// The movie is told the system's rectangle for the window less the chrome, however small
// or negative that is.
TEST_F(QuietFrame, MinimisedTheMovieIsToldTheIconicSizeLessTheChrome) {
    harness.Click(L"minbtn");
    ASSERT_TRUE(::IsIconic(harness.window()));
    EXPECT_TRUE(Visible(harness, L"maxbtn")) << "minimising does not change the maximised state";
    const Dims iconic = WindowSize(harness.window());
    EXPECT_EQ(LastOnSize(harness), Dims(iconic.first - 16, iconic.second - 38));
}

TEST_F(QuietFrame, ResizedTheMovieIsToldTheSizeLessTheChrome) {
    ::SetWindowPos(harness.window(), nullptr, 0, 0, 816, 538, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(LastOnSize(harness), Dims(800, 500));
}

TEST_F(QuietFrame, RestoredFromTheTaskbarTheMovieHasTheKeyboard) {
    harness.Click(L"minbtn");
    ::SendMessageW(harness.window(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_EQ(::GetFocus(), PlayerWindow(harness));
}

// The caption buttons clicked last keep no focus: neither Space nor Enter presses one
// again, wherever it is delivered.
TEST_F(QuietFrame, KeysPressNoCaptionButtonAfterItsClick) {
    harness.Click(L"minbtn");
    ::SendMessageW(harness.window(), WM_SYSCOMMAND, SC_RESTORE, 0);
    harness.Click(L"closebtn");
    ASSERT_TRUE(harness.WaitFor("in <invoke name=\"OnClose\""));
    const HWND player = PlayerWindow(harness);
    EXPECT_EQ(::GetFocus(), player);
    for (const HWND target : {player, harness.window()})
        for (const WPARAM key : {VK_SPACE, VK_RETURN}) {
            ::SendMessageW(target, WM_KEYDOWN, key, 1);
            ::SendMessageW(target, WM_CHAR, key == VK_RETURN ? L'\r' : L' ', 1);
            ::SendMessageW(target, WM_KEYUP, key, 0xC0000001);
        }
    ASSERT_TRUE(PumpUntilSettled());
    EXPECT_FALSE(::IsIconic(harness.window())) << "a key pressed the minimise button again";
    EXPECT_EQ(harness.Count("in <invoke name=\"OnClose\""), 1) << "a key pressed close again";
}

// The shipped skin, pictures and all, lets the movie fill the area below the caption band:
// restored and maximised, the control and the player's window have the size the movie is
// told. Its band drags the window, and its drawn caption buttons still work.
TEST(FrameWindow, TheShippedSkinsMovieHasTheSizeItIsTold) {
    FrameHarness harness;
    const std::wstring shipped = L"Z:" GS_WIDE_SOURCE_DIR L"/assets/skin/";
    for (const wchar_t* art :
         {L"titlebar.png", L"logo.png", L"captionbuttons.png", L"movieframe.png"})
        harness.skin().Write(art, ReadFileBytes(shipped + art));
    ASSERT_TRUE(harness.Start(ReadFileBytes(shipped + L"skin.xml"), QuietMovie()));
    const POINT logo = harness.ClientCentre(L"logo");
    EXPECT_NE(PaintedPixels(harness.window()).At(logo.x, logo.y), 0x27384Fu);
    EXPECT_EQ(harness.frame().GetPaintManager().GetImageDecodeCount(), 4);
    EXPECT_EQ(HitTest(harness, L"title"), HTCAPTION);
    harness.Click(L"closebtn");
    EXPECT_EQ(harness.Count("in <invoke name=\"OnClose\""), 1);
    for (const wchar_t* button : {L"maxbtn", L"restorebtn"}) {
        harness.Click(button);
        const RECT& control = harness.frame().GetPaintManager().FindControl(L"flash")->GetPos();
        EXPECT_EQ(Dims(control.right - control.left, control.bottom - control.top),
                  LastOnSize(harness))
            << button;
        EXPECT_EQ(WindowSize(PlayerWindow(harness)), LastOnSize(harness));
    }
    EXPECT_EQ(LastOnSize(harness), Dims(1000, 625));
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

// Only the low word of a timer's id picks a file flow; any dialog opened is cancelled.
TEST(FrameWindow, AForeignTimerRunsNoFlow) {
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(FrameSkin(), QuietMovie("filedialog cancel\n")));
    for (WPARAM foreign : {WPARAM{77}, WPARAM{999}, WPARAM{1002}, WPARAM{0x10000}})
        EXPECT_EQ(::SendMessageW(harness.window(), WM_TIMER, foreign, 0), 0);
    ASSERT_TRUE(PumpUntilSettled());
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

// The skin's own control class holds a second copy of the whole skin, which has none.
TEST(FrameSkin, ComputerExamineByItsExactNameHoldsACopyOfTheSkin) {
    SkinFolder folder;
    folder.Write(L"skin.xml", "<Window><VerticalLayout><Label name=\"a\"/>"
                              "<ComputerExamine/><computerexamine/><COMPUTEREXAMINE/>"
                              "</VerticalLayout></Window>");
    DuiLib::CPaintManagerUI manager;
    CDialogBuilderCallbackEx callback;
    DuiLib::CDialogBuilder builder;
    std::unique_ptr<DuiLib::CControlUI> root(
        builder.Create(L"skin.xml", nullptr, &callback, &manager, nullptr));
    auto* outer = dynamic_cast<DuiLib::CContainerUI*>(root.get());
    ASSERT_NE(outer, nullptr);
    ASSERT_EQ(outer->GetCount(), 2) << "only the exact class name is created";
    auto* examine = dynamic_cast<ComputerExamineUI*>(outer->GetItemAt(1));
    ASSERT_NE(examine, nullptr);
    ASSERT_EQ(examine->GetCount(), 1);
    auto* copy = dynamic_cast<DuiLib::CContainerUI*>(examine->GetItemAt(0));
    ASSERT_NE(copy, nullptr);
    ASSERT_EQ(copy->GetCount(), 1) << "the copy has the label and no further copy";
    EXPECT_EQ(copy->GetItemAt(0)->GetName(), L"a");
}
