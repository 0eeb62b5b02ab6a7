#include "launch/HandoverBlock.h"
#include "launch/RoomBlock.h"
#include "tests/support/BrowserRecorder.h"
#include "tests/support/FrameHarness.h"
#include "tests/support/SharedBlock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

using gs::test::FrameHarness;
using gs::test::FrameSkin;
using gs::test::QuietMovie;

namespace {

std::wstring Invoke(const std::wstring& name, const std::wstring& arguments = L"") {
    return L"<invoke name=\"" + name + L"\" returntype=\"xml\"><arguments>" + arguments +
           L"</arguments></invoke>";
}

std::vector<int32_t> g_rooms;

LRESULT CALLBACK PlatformProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        int32_t room = 0;
        if (copy->dwData == gs::kGameMasterRoomData && copy->cbData == 20)
            std::memcpy(&room, copy->lpData, sizeof room);
        g_rooms.push_back(room);
        return TRUE;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

TEST(Commands, ReqEnterGameIsAnsweredWhileTheMoviesCallRuns) {
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(FrameSkin(), QuietMovie("invoke ReqEnterGame\n")));
    ASSERT_TRUE(harness.WaitFor("out-result"));
    std::vector<std::string> lines = harness.Transcript();
    int out = playertest::FindLine(lines, "out <invoke name=\"ReqEnterGame\"");
    int answer = playertest::FindLine(
        lines, "in <invoke name=\"AckEnterGame\" returntype=\"xml\"><arguments><number>0</number>");
    int returned = playertest::FindLine(lines, "out-result S_OK");
    ASSERT_GE(out, 0);
    EXPECT_GT(answer, out);
    EXPECT_GT(returned, answer) << "the answer is a nested call";
    EXPECT_TRUE(harness.Traced(L"FlashCall sCommand = <invoke name=\"ReqEnterGame\""));
}

TEST(Commands, GameMasterRoomReachesThePlatformWindow) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = PlatformProc;
    windowClass.lpszClassName = L"GameShellFramePlatform";
    ::RegisterClassW(&windowClass);
    gs::UniqueWindow platform(::CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0,
                                                HWND_MESSAGE, nullptr, nullptr, nullptr));
    gs::test::SharedBlock room(gs::kRoomBlockName, gs::kRoomBlockBytes);
    uint32_t handle = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(platform.get()));
    room.Write(gs::kPlatformWindowOffset, &handle, sizeof handle);
    // The frame fills its record from this program's own command line: a single argument
    // (a test filter, say) names a handover block, and the room block is read only when
    // that block exists.
    std::unique_ptr<gs::test::SharedBlock> handover;
    if (__argc == 2)
        handover = std::make_unique<gs::test::SharedBlock>(__argv[1], sizeof(gs::HandoverBlock));
    g_rooms.clear();

    FrameHarness harness;
    ASSERT_TRUE(harness.Start(FrameSkin(), QuietMovie()));
    harness.frame().FlashCall(Invoke(L"GameMasterRoom", L"<number>42</number>").c_str());
    harness.frame().FlashCall(Invoke(L"GameMasterRoom").c_str());
    harness.frame().FlashCall(Invoke(L"gamemasterroom", L"<number>7</number>").c_str());
    EXPECT_EQ(g_rooms, (std::vector<int32_t>{42, 0}));
}

TEST(Commands, OpenUrlOpensWebAddressesOnly) {
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(FrameSkin(), QuietMovie()));
    gs::test::BrowserRecorder browser;
    harness.frame().FlashCall(
        Invoke(L"OpenUrl", L"<string>C:\\windows\\notepad.exe</string>").c_str());
    harness.frame().FlashCall(
        Invoke(L"OpenUrl", L"<string>https://example.com/?a=1&amp;b=2</string>").c_str());
    ASSERT_TRUE(browser.WaitForOne());
    gs::test::PumpFor(500);
    EXPECT_EQ(browser.Opened(), (std::vector<std::string>{"https://example.com/?a=1&b=2"}));
    EXPECT_TRUE(harness.Traced(L"FlashCall sCommand = <invoke name=\"OpenUrl\" "
                               L"returntype=\"xml\"><arguments><string>C:\\windows\\notepad.exe"));
}

TEST(Commands, FileRequestsOpenOneDialogFromTheTimerAndAlwaysAnswer) {
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(FrameSkin(), QuietMovie("filedialog cancel\n")));
    EXPECT_EQ(harness.frame().FlashCall(Invoke(L"LoadFile").c_str()), S_OK);
    EXPECT_EQ(harness.frame().FlashCall(Invoke(L"LoadFile").c_str()), S_OK);
    EXPECT_EQ(harness.Count("dialog"), 0) << "the dialog waits for the timer";
    ASSERT_TRUE(harness.WaitFor(
        "in <invoke name=\"OnLoadFile\" returntype=\"xml\"><arguments><string></string>"
        "<string></string></arguments></invoke>"));
    gs::test::PumpFor(300);
    EXPECT_EQ(harness.Count("in <invoke name=\"OnLoadFile\""), 1)
        << "two requests, one timer, one dialog";
    EXPECT_EQ(harness.Count("dialog cancel"), 1);
}

TEST(Commands, ACancelledSaveAnswersWithAnEmptyPath) {
    FrameHarness harness;
    ASSERT_TRUE(
        harness.Start(FrameSkin(), QuietMovie("filedialog cancel\ninvoke SaveFile \"QUJD\"\n")));
    EXPECT_TRUE(harness.WaitFor(
        "in <invoke name=\"OnSaveFile\" returntype=\"xml\"><arguments><string></string>"
        "</arguments></invoke>"));
}

TEST(Commands, EveryRequestIsTracedWholeAndAlwaysAnsweredOk) {
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(FrameSkin(), QuietMovie()));
    for (const wchar_t* text : {L"garbage", L"", L"<invoke name=\"Unknown\"/>",
                                L"<invoke name=\"FlashWindow\"><arguments/></invoke>"})
        EXPECT_EQ(harness.frame().FlashCall(text), S_OK);
    EXPECT_EQ(harness.frame().FlashCall(nullptr), S_OK);
    EXPECT_TRUE(harness.Traced(L"FlashCall sCommand = garbage \n"));
    EXPECT_TRUE(harness.Traced(L"FlashCall sCommand = <invoke name=\"Unknown\"/> \n"));
    EXPECT_TRUE(::IsWindow(harness.window()));
}

// The trace hook stands for any failure: it throws when the shell traces its answer, once
// inside the dispatch of "ReqEnterGame" and once inside the load flow's timer message.
TEST(Commands, AFailureInsideACommandOrAFlowStaysInTheShell) {
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(FrameSkin(), QuietMovie("filedialog cancel\n")));
    gs::SetTraceHook([](const gs::TraceLine& line) {
        if (line.head.rfind(L"CallFlash", 0) == 0)
            throw std::bad_alloc();
    });
    EXPECT_EQ(harness.frame().FlashCall(Invoke(L"ReqEnterGame").c_str()), S_OK);
    EXPECT_EQ(harness.Count("in <invoke name=\"AckEnterGame\""), 1);
    EXPECT_EQ(harness.frame().FlashCall(Invoke(L"LoadFile").c_str()), S_OK);
    ASSERT_TRUE(harness.WaitFor("in <invoke name=\"OnLoadFile\""));
    gs::test::PumpFor(100);
    EXPECT_EQ(harness.frame().FlashCall(Invoke(L"ReqEnterGame").c_str()), S_OK);
    EXPECT_EQ(harness.Count("in <invoke name=\"AckEnterGame\""), 2) << "the shell goes on";
}
