#pragma once
// The lobby as a real process in front of a shell (GameShell.exe or the probe that
// stands in for it), with its log in a file of its own. The test can wait for a file to
// hold a text, find the shell's windows, and then collect the exit code and the log.
#include "tests/lobby/ChildProcess.h"

namespace lobbytest {

struct LobbyOutcome : ChildResult {
    std::vector<std::string> log;
};

class LobbySession {
public:
    LobbySession(const std::wstring& shell, std::vector<std::wstring> arguments,
                 const Environment& environment = {})
        : m_logPath(TempPath(L"lobby_log")),
          m_lobby(
              L"Lobby.exe",
              [&] {
                  arguments.insert(arguments.begin(), {L"--shell", shell, L"--log", m_logPath});
                  return arguments;
              }(),
              environment) {}
    ~LobbySession() { ::DeleteFileW(m_logPath.c_str()); }

    // True once the file holds the text; false when the lobby ended first.
    bool WaitForText(const std::wstring& path, const std::string& text) const {
        for (int poll = 0; poll < kPolls; ++poll) {
            const bool running = m_lobby.Running();
            if (gs::test::ReadFileBytes(path).find(text) != std::string::npos)
                return true;
            if (!running)
                return false;
            ::Sleep(20); // another process writes the file: nothing to wait on but the time
        }
        return false;
    }
    // A visible top-level window of the shell's process ("UIMainFrame": the main
    // window, "#32770": a message box or dialog); null when none appears in time.
    HWND WaitForWindow(const wchar_t* className) const {
        const DWORD processId = ShellProcessId();
        for (int poll = 0; processId != 0 && poll < kPolls && m_lobby.Running(); ++poll) {
            WindowSearch search{processId, className, nullptr};
            ::EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
            if (search.found)
                return search.found;
            ::Sleep(20); // the window is another process's: no message of ours announces it
        }
        return nullptr;
    }
    LobbyOutcome Finish() {
        LobbyOutcome outcome;
        static_cast<ChildResult&>(outcome) = m_lobby.Finish();
        outcome.log = gs::test::ReadLines(m_logPath);
        return outcome;
    }

private:
    static constexpr int kPolls = 6000; // of 20 ms: two minutes

    struct WindowSearch {
        DWORD processId;
        const wchar_t* className;
        HWND found;
    };
    static BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
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
    DWORD ShellProcessId() const {
        const std::string prefix = "shell process ";
        if (!WaitForText(m_logPath, prefix))
            return 0;
        const std::vector<std::string> log = gs::test::ReadLines(m_logPath);
        const int line = FindLine(log, prefix);
        return line < 0 ? 0 : std::stoul(log[static_cast<size_t>(line)].substr(prefix.size()));
    }

    std::wstring m_logPath;
    Child m_lobby;
};

} // namespace lobbytest
