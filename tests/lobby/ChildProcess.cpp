#include "tests/lobby/ChildProcess.h"

#include "tools/lobby/ShellCommandLine.h"

#include <cstdio>
#include <sstream>

namespace lobbytest {

namespace {

constexpr DWORD kGuardMs = 120000;

gs::UniqueFile CreateInheritableFile(const std::wstring& path) {
    SECURITY_ATTRIBUTES security{sizeof security, nullptr, TRUE};
    return gs::UniqueFile(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &security,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

} // namespace

// Wine gives out the same process ids run after run, and a program a test started may
// still write after the test has cleaned up: the start time keeps the names apart.
std::wstring TempPath(const std::wstring& stem, const std::wstring& extension) {
    static const ULONGLONG start = ::GetTickCount64();
    static int counter = 0;
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    return folder + stem + L"_" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
           std::to_wstring(start) + L"_" + std::to_wstring(++counter) + extension;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool HasLineStarting(const std::vector<std::string>& lines, const std::string& prefix) {
    for (const std::string& line : lines)
        if (line.rfind(prefix, 0) == 0)
            return true;
    return false;
}

std::string Hex(std::string_view bytes) {
    std::string text;
    char digits[3];
    for (const unsigned char c : bytes) {
        std::snprintf(digits, sizeof digits, "%02x", c);
        text += digits;
    }
    return text;
}

Child::Child(const std::wstring& program, const std::vector<std::wstring>& arguments,
             const Environment& environment)
    : m_outputPath(TempPath(L"child_output")) {
    const gs::UniqueFile output = CreateInheritableFile(m_outputPath);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output.get();
    startup.hStdError = output.get();
    std::wstring commandLine = lobby::BuildCommandLine(program, arguments);
    for (const auto& [name, value] : environment)
        ::SetEnvironmentVariableW(name.c_str(), value.c_str());
    PROCESS_INFORMATION process{};
    if (::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                         nullptr, &startup, &process)) {
        ::CloseHandle(process.hThread);
        m_process.reset(process.hProcess);
    }
    for (const auto& [name, value] : environment)
        ::SetEnvironmentVariableW(name.c_str(), nullptr);
}

Child::~Child() {
    if (m_process) {
        ::TerminateProcess(m_process.get(), 1);
        ::WaitForSingleObject(m_process.get(), INFINITE);
    }
    ::DeleteFileW(m_outputPath.c_str());
}

bool Child::Running() const {
    return m_process && ::WaitForSingleObject(m_process.get(), 0) == WAIT_TIMEOUT;
}

ChildResult Child::Finish() {
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

} // namespace lobbytest
