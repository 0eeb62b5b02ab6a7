#pragma once
// One end-to-end run: the lobby starting the shell of a private install, with the test
// player's transcript going to the install's transcript file. The test can wait for
// the movie to reach a point, act on the shell's windows, and then collect the lobby's
// exit code, its log and the shell's trace lines (the lobby's standard output).
#include "tests/e2e/ShellInstall.h"
#include "tests/lobby/ChildProcess.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace e2e {

struct SessionOutcome {
    lobbytest::ChildResult lobby;
    std::vector<std::string> log;
    std::string transcript;
};

class ShellSession {
public:
    ShellSession(const ShellInstall& install, std::vector<std::wstring> lobbyArguments,
                 lobbytest::Environment environment = {});
    ~ShellSession();

    // True once the transcript holds the text (false when the shell ended first).
    bool WaitForTranscript(const std::string& text);
    // A visible top-level window of the shell's process, once there is one (null when it
    // never appears): "UIMainFrame" is the main window, "#32770" a message box or dialog.
    HWND WaitForWindow(const wchar_t* className);
    DWORD ShellProcessId();
    SessionOutcome Finish();

private:
    const ShellInstall& m_install;
    std::wstring m_logPath;
    std::unique_ptr<lobbytest::Child> m_lobby;
    DWORD m_shellProcessId = 0;
};

// The argument elements of the first request of that name the movie received, each as
// its XML text ("<number>41</number>", "<true/>"); empty when none arrived.
std::vector<std::string> ReceivedArguments(const std::string& transcript, const std::string& name);

bool Contains(const std::vector<std::string>& lines, const std::string& prefix);

std::string Utf8(const std::wstring& text);

} // namespace e2e
