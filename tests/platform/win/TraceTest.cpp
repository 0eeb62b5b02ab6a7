#include "platform/win/Handles.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Runs the probe with its standard output on a pipe, as a lobby or a test would read it.
std::string ProbeOutput() {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return "<no pipe>";
    gs::UniqueKernelHandle reader(readEnd);
    gs::UniqueKernelHandle writer(writeEnd);
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    wchar_t command[] = L"trace_probe.exe";
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring program(self);
    program =
        program.substr(0, program.find_last_of(L'\\') + 1) + command; // built beside this test
    if (!::CreateProcessW(program.c_str(), command, nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                          &startup, &process))
        return "<no process>";
    gs::UniqueKernelHandle processHandle(process.hProcess);
    gs::UniqueKernelHandle threadHandle(process.hThread);
    writer.reset();
    std::string output;
    char buffer[65536];
    DWORD read = 0;
    while (::ReadFile(reader.get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
        output.append(buffer, read);
    ::WaitForSingleObject(process.hProcess, 10000);
    return output;
}

} // namespace

TEST(Trace, LinesReachAPipeWholeAsUtf8WithWindowsLineEnds) {
    std::string output = ProbeOutput();
    std::string first = "加载flash完成！path = C:\\游戏\\a.swf\r\n";
    ASSERT_EQ(output.substr(0, first.size()), first);
    std::string second =
        "CallFlash Sucessed callCommand = " + std::string(16383, 'x') + "\xF0\x9F\x98\x80";
    for (int i = 0; i < 40000; ++i)
        second += "中";
    second += " \r\n";
    EXPECT_EQ(output.size(), first.size() + second.size());
    EXPECT_TRUE(output.substr(first.size()) == second) << "the long line arrives intact";
}
