#include "tests/lobby/LobbySession.h"

namespace lobbytest {

namespace {

constexpr int kPolls = 6000; // of 20 ms: two minutes

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

LobbySession::LobbySession(const std::wstring& shell, std::vector<std::wstring> arguments,
                           const Environment& environment)
    : m_logPath(TempPath(L"lobby_log")),
      m_lobby(
          L"Lobby.exe",
          [&] {
              arguments.insert(arguments.begin(), {L"--shell", shell, L"--log", m_logPath});
              return arguments;
          }(),
          environment) {}

LobbySession::~LobbySession() {
    ::DeleteFileW(m_logPath.c_str());
}

bool LobbySession::WaitForText(const std::wstring& path, const std::string& text) const {
    for (int poll = 0; poll < kPolls; ++poll) {
        const bool running = m_lobby.Running();
        if (gs::test::ReadFileBytes(path).find(text) != std::string::npos)
            return true;
        if (!running)
            return false;
        ::Sleep(20);
    }
    return false;
}

DWORD LobbySession::ShellProcessId() const {
    const std::string prefix = "shell process ";
    if (!WaitForText(m_logPath, prefix))
        return 0;
    for (const std::string& line : Lines(gs::test::ReadFileBytes(m_logPath)))
        if (line.rfind(prefix, 0) == 0)
            return std::stoul(line.substr(prefix.size()));
    return 0;
}

HWND LobbySession::WaitForWindow(const wchar_t* className) const {
    const DWORD processId = ShellProcessId();
    for (int poll = 0; processId != 0 && poll < kPolls && m_lobby.Running(); ++poll) {
        WindowSearch search{processId, className, nullptr};
        ::EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        ::Sleep(20);
    }
    return nullptr;
}

LobbyOutcome LobbySession::Finish() {
    LobbyOutcome outcome;
    static_cast<ChildResult&>(outcome) = m_lobby.Finish();
    outcome.log = Lines(gs::test::ReadFileBytes(m_logPath));
    return outcome;
}

} // namespace lobbytest
