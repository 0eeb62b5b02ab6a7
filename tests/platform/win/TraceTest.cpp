#include "platform/win/ModulePath.h"
#include "tests/lobby/ChildProcess.h"

#include <gtest/gtest.h>

#include <string>

// The probe's standard output is a file here; a lobby reads it from a pipe, through the
// same writes.
TEST(Trace, LinesReachStandardOutputWholeAsUtf8WithWindowsLineEnds) {
    const lobbytest::ChildResult probe =
        lobbytest::Child(gs::ModuleFolder(nullptr) + L"trace_probe.exe", {}).Finish();
    ASSERT_TRUE(probe.exited);
    const std::string& output = probe.output;
    std::string first = "加载flash完成！path = C:\\游戏\\a.swf\r\n";
    ASSERT_EQ(output.substr(0, first.size()), first);
    const std::string second = "CallFlash Sucessed callCommand = " + std::string(16383, 'x') +
                               "\xF0\x9F\x98\x80" + gs::test::Repeated("中", 40000) + " \r\n";
    EXPECT_EQ(output.size(), first.size() + second.size());
    EXPECT_TRUE(output.substr(first.size()) == second) << "the long line arrives intact";
}
