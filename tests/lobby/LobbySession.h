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
                 const Environment& environment = {});
    ~LobbySession();

    // True once the file holds the text; false when the lobby ended first.
    bool WaitForText(const std::wstring& path, const std::string& text) const;
    // A visible top-level window of the shell's process ("UIMainFrame": the main
    // window, "#32770": a message box or dialog); null when none appears in time.
    HWND WaitForWindow(const wchar_t* className) const;
    LobbyOutcome Finish();

private:
    DWORD ShellProcessId() const;

    std::wstring m_logPath;
    Child m_lobby;
};

} // namespace lobbytest
