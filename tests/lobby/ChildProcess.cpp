#include "tests/lobby/ChildProcess.h"

#include "platform/win/Handles.h"
#include "tools/lobby/ShellCommandLine.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace lobbytest {

namespace {

constexpr DWORD kGuardMs = 120000;

// Sets the variables for the life of the object, then puts the old values back.
class ScopedEnvironment {
public:
    explicit ScopedEnvironment(const Environment& environment) {
        for (const auto& [name, value] : environment) {
            m_saved.emplace_back(name, Get(name));
            ::SetEnvironmentVariableW(name.c_str(), value.c_str());
        }
    }
    ~ScopedEnvironment() {
        for (const auto& [name, value] : m_saved)
            ::SetEnvironmentVariableW(name.c_str(), value.first ? value.second.c_str() : nullptr);
    }

private:
    using Saved = std::pair<bool, std::wstring>;
    static Saved Get(const std::wstring& name) {
        wchar_t value[4096];
        const DWORD length = ::GetEnvironmentVariableW(name.c_str(), value, 4096);
        return length > 0 && length < 4096 ? Saved{true, value} : Saved{false, L""};
    }
    std::vector<std::pair<std::wstring, Saved>> m_saved;
};

gs::UniqueFile CreateInheritableFile(const std::wstring& path) {
    SECURITY_ATTRIBUTES security{sizeof security, nullptr, TRUE};
    return gs::UniqueFile(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &security,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

} // namespace

std::wstring ThisFolder() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

std::wstring TempPath(const std::wstring& stem, const std::wstring& extension) {
    static int counter = 0;
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    return folder + stem + L"_" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
           std::to_wstring(++counter) + extension;
}

std::string ReadWholeFile(const std::wstring& path) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

Child::Child(const std::wstring& program, const std::vector<std::wstring>& arguments,
             const Environment& environment)
    : m_outputPath(TempPath(L"child_output")) {
    gs::UniqueFile output = CreateInheritableFile(m_outputPath);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output.get();
    startup.hStdError = output.get();
    std::wstring commandLine = lobby::BuildCommandLine(program, arguments);
    PROCESS_INFORMATION process{};
    const ScopedEnvironment scoped(environment);
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                          nullptr, &startup, &process))
        return;
    ::CloseHandle(process.hThread);
    m_process = process.hProcess;
}

Child::~Child() {
    if (m_process) {
        ::TerminateProcess(m_process, 1);
        ::WaitForSingleObject(m_process, INFINITE);
        ::CloseHandle(m_process);
    }
    ::DeleteFileW(m_outputPath.c_str());
}

bool Child::Running() const {
    return m_process && ::WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT;
}

ChildResult Child::Finish() {
    ChildResult result;
    if (!m_process)
        return result;
    result.exited = ::WaitForSingleObject(m_process, kGuardMs) == WAIT_OBJECT_0;
    if (!result.exited) {
        ::TerminateProcess(m_process, 1);
        ::WaitForSingleObject(m_process, INFINITE);
    }
    ::GetExitCodeProcess(m_process, &result.exitCode);
    ::CloseHandle(m_process);
    m_process = nullptr;
    result.output = ReadWholeFile(m_outputPath);
    return result;
}

ChildResult RunChild(const std::wstring& program, const std::vector<std::wstring>& arguments,
                     const Environment& environment) {
    return Child(program, arguments, environment).Finish();
}

bool WaitForText(const Child& child, const std::wstring& path, const std::string& text) {
    const ULONGLONG deadline = ::GetTickCount64() + kGuardMs;
    while (::GetTickCount64() < deadline) {
        if (ReadWholeFile(path).find(text) != std::string::npos)
            return true;
        if (!child.Running())
            return ReadWholeFile(path).find(text) != std::string::npos;
        ::Sleep(20);
    }
    return false;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::map<std::string, std::string> ReadReport(const std::wstring& path) {
    std::map<std::string, std::string> report;
    for (const std::string& line : Lines(ReadWholeFile(path))) {
        const size_t equals = line.find('=');
        if (equals != std::string::npos)
            report[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return report;
}

} // namespace lobbytest
