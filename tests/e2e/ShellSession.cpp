#include "tests/e2e/ShellSession.h"

namespace e2e {

ShellSession::ShellSession(const ShellInstall& install, std::vector<std::wstring> lobbyArguments,
                           lobbytest::Environment environment)
    : m_install(install), m_logPath(lobbytest::TempPath(L"lobby_log")) {
    lobbyArguments.insert(lobbyArguments.begin(), {L"--shell", install.Shell(), L"--log", m_logPath,
                                                   L"--timeout", L"90000"});
    environment.emplace_back(L"GS_TRANSCRIPT", install.TranscriptPath());
    m_lobby = std::make_unique<lobbytest::Child>(StageFolder() + L"Lobby.exe", lobbyArguments,
                                                 environment);
}

ShellSession::~ShellSession() {
    m_lobby.reset();
    ::DeleteFileW(m_logPath.c_str());
}

bool ShellSession::WaitForTranscript(const std::string& text) {
    return lobbytest::WaitForText(*m_lobby, m_install.TranscriptPath(), text);
}

namespace {

struct WindowSearch {
    DWORD processId;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    wchar_t className[64] = {};
    ::GetClassNameW(window, className, 64);
    // A dialog is complete (caption, buttons) once it is shown.
    if (processId != search->processId || ::lstrcmpW(className, search->className) != 0 ||
        !::IsWindowVisible(window))
        return TRUE;
    search->found = window;
    return FALSE;
}

} // namespace

DWORD ShellSession::ShellProcessId() {
    if (m_shellProcessId == 0 && lobbytest::WaitForText(*m_lobby, m_logPath, "shell process ")) {
        for (const std::string& line : lobbytest::Lines(lobbytest::ReadWholeFile(m_logPath)))
            if (line.rfind("shell process ", 0) == 0)
                m_shellProcessId = std::stoul(line.substr(14));
    }
    return m_shellProcessId;
}

HWND ShellSession::WaitForWindow(const wchar_t* className) {
    const DWORD processId = ShellProcessId();
    for (int attempt = 0; processId != 0 && attempt < 3000 && m_lobby->Running(); ++attempt) {
        WindowSearch search{processId, className, nullptr};
        ::EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        ::Sleep(20);
    }
    return nullptr;
}

SessionOutcome ShellSession::Finish() {
    SessionOutcome outcome;
    outcome.lobby = m_lobby->Finish();
    outcome.log = lobbytest::Lines(lobbytest::ReadWholeFile(m_logPath));
    outcome.transcript = m_install.Transcript();
    return outcome;
}

std::vector<std::string> ReceivedArguments(const std::string& transcript, const std::string& name) {
    std::vector<std::string> arguments;
    const std::string start = "in <invoke name=\"" + name + "\"";
    for (const std::string& line : lobbytest::Lines(transcript)) {
        if (line.rfind(start, 0) != 0)
            continue;
        size_t pos = line.find("<arguments>");
        const size_t end = line.rfind("</arguments>");
        if (pos == std::string::npos || end == std::string::npos)
            return arguments;
        for (pos += 11; pos < end;) {
            const size_t close = line.find('>', pos);
            if (close == std::string::npos)
                break;
            std::string element = line.substr(pos + 1, close - pos - 1);
            size_t next = close + 1;
            if (element.empty() || element.back() != '/') {
                const std::string closing = "</" + element + ">";
                next = line.find(closing, close);
                next = next == std::string::npos ? end : next + closing.size();
            }
            arguments.push_back(line.substr(pos, next - pos));
            pos = next;
        }
        return arguments;
    }
    return arguments;
}

bool Contains(const std::vector<std::string>& lines, const std::string& prefix) {
    for (const std::string& line : lines)
        if (line.rfind(prefix, 0) == 0)
            return true;
    return false;
}

std::string Utf8(const std::wstring& text) {
    const int size =
        ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(size > 0 ? size - 1 : 0, '\0');
    if (size > 1)
        ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

} // namespace e2e
