#pragma once
// Real child processes for the tests that start the lobby: a program run with its
// standard output and error in a file, with a few environment variables set for it.
#include "platform/win/Handles.h"
#include "tests/support/FileBytes.h"
#include "tools/lobby/ShellCommandLine.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lobbytest {

using gs::test::FindLine;
using gs::test::Lines;
using gs::test::TempPath;

// The bytes as lower-case hexadecimal digits, two for each.
inline std::string Hex(std::string_view bytes) {
    std::string text;
    char digits[3];
    for (const unsigned char c : bytes) {
        std::snprintf(digits, sizeof digits, "%02x", c);
        text += digits;
    }
    return text;
}

struct ChildResult {
    bool exited = false; // false: still running after the guard time, then killed
    DWORD exitCode = 0;
    std::string output; // standard output and standard error
};

// The tests' own variables, unset in the test process again once the child has them.
using Environment = std::vector<std::pair<std::wstring, std::wstring>>;

// A child started now and waited for later; one still running at the end of the scope
// is killed.
class Child {
public:
    Child(const std::wstring& program, const std::vector<std::wstring>& arguments,
          const Environment& environment = {})
        : m_outputPath(TempPath(L"child_output")) {
        SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
        const gs::UniqueFile output(::CreateFileW(m_outputPath.c_str(), GENERIC_WRITE,
                                                  FILE_SHARE_READ, &inheritable, CREATE_ALWAYS,
                                                  FILE_ATTRIBUTE_NORMAL, nullptr));
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output.get();
        startup.hStdError = output.get();
        std::wstring commandLine = lobby::BuildCommandLine(program, arguments);
        for (const auto& [name, value] : environment)
            ::SetEnvironmentVariableW(name.c_str(), value.c_str());
        PROCESS_INFORMATION process{};
        if (::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                             nullptr, nullptr, &startup, &process)) {
            ::CloseHandle(process.hThread);
            m_process.reset(process.hProcess);
        }
        for (const auto& [name, value] : environment)
            ::SetEnvironmentVariableW(name.c_str(), nullptr);
    }
    ~Child() {
        if (m_process) {
            ::TerminateProcess(m_process.get(), 1);
            ::WaitForSingleObject(m_process.get(), INFINITE);
        }
        ::DeleteFileW(m_outputPath.c_str());
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool Running() const {
        return m_process && ::WaitForSingleObject(m_process.get(), 0) == WAIT_TIMEOUT;
    }
    // Waits for the exit (killing the child after a generous guard time, so that a hung
    // child fails the test instead of hanging the suite) and collects its output.
    ChildResult Finish() {
        constexpr DWORD kGuardMs = 120000;
        ChildResult result;
        if (!m_process)
            return result;
        result.exited = ::WaitForSingleObject(m_process.get(), kGuardMs) == WAIT_OBJECT_0;
        if (!result.exited) {
            ::TerminateProcess(m_process.get(), 1);
            ::WaitForSingleObject(m_process.get(), INFINITE);
        }
        ::GetExitCodeProcess(m_process.get(), &result.exitCode);
        m_process.reset();
        result.output = gs::test::ReadFileBytes(m_outputPath);
        return result;
    }

private:
    std::wstring m_outputPath;
    gs::UniqueKernelHandle m_process;
};

} // namespace lobbytest
