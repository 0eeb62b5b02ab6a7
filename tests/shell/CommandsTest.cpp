#include "tests/support/FrameHarness.h"
#include "tests/support/Requests.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

using namespace gs::test;

TEST(Commands, ReqEnterGameIsAnsweredAtOnce) {
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(FrameSkin(), QuietMovie("invoke ReqEnterGame\n")));
    ASSERT_TRUE(harness.WaitFor("out-result"));
    std::vector<std::string> lines = harness.Transcript();
    int out = FindLine(lines, "out <invoke name=\"ReqEnterGame\"");
    int answer = FindLine(
        lines, "in <invoke name=\"AckEnterGame\" returntype=\"xml\"><arguments><number>0</number>");
    int returned = FindLine(lines, "out-result S_OK");
    ASSERT_GE(out, 0);
    EXPECT_GT(answer, out);
    EXPECT_GT(returned, answer) << "the answer is a nested call";
    EXPECT_TRUE(harness.Traced(L"FlashCall sCommand = <invoke name=\"ReqEnterGame\""));
}

TEST(Commands, WhateverComesInIsTracedWhole) {
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
    ASSERT_TRUE(PumpUntilSettled());
    EXPECT_EQ(harness.frame().FlashCall(Invoke(L"ReqEnterGame").c_str()), S_OK);
    EXPECT_EQ(harness.Count("in <invoke name=\"AckEnterGame\""), 2) << "the shell goes on";
}

// Without a "flash" control (no skin yet, here) a request goes nowhere and leaves no trace.
TEST(Commands, CallFlashWithoutAFlashControlGoesNowhere) {
    SkinFolder folder;
    CShellFrameWnd frame;
    std::vector<std::wstring> traced;
    gs::SetTraceHook([&](const gs::TraceLine& line) { traced.emplace_back(line.head); });
    EXPECT_EQ(frame.CallFlash(L"<invoke name=\"OnClose\" returntype=\"xml\"><arguments/></invoke>"),
              1);
    EXPECT_EQ(frame.CallFlash(static_cast<LPCTSTR>(nullptr)), 1);
    gs::SetTraceHook(nullptr);
    EXPECT_TRUE(traced.empty());
}

// "ExitGame" ends the process at once, with 0, while both file timers wait: no flow runs
// first, since a flow always answers the movie and the trace hook would see that.
TEST(CommandsDeathTest, ExitGameEndsTheProcessAtOnceWithZeroWhileFileTimersWait) {
    EXPECT_EXIT(
        {
            FrameHarness harness;
            if (!harness.Start(FrameSkin(), QuietMovie("filedialog cancel\n")))
                std::_Exit(2);
            harness.frame().FlashCall(Invoke(L"LoadFile").c_str());
            harness.frame().FlashCall(Invoke(L"SaveFile", L"<string>QUJD</string>").c_str());
            gs::SetTraceHook([](const gs::TraceLine& line) {
                if (line.head.rfind(L"CallFlash", 0) == 0)
                    std::_Exit(3);
            });
            harness.frame().FlashCall(Invoke(L"ExitGame").c_str());
            (void)PumpUntilSettled(); // still running here is exit code 4 either way
            std::_Exit(4);
        },
        testing::ExitedWithCode(0), "");
}
