#pragma once
// The shell as a child process: started with the lobby's standard handles (so that its
// trace lines land where the lobby's output goes), then waited for while this thread
// keeps pumping messages, since the shell's game-master-room message is sent to this
// thread's window and the shell waits until it has been handled.
#include "platform/win/Handles.h"

#include <optional>
#include <string>

namespace lobby {

struct ShellOutcome {
    bool timedOut = false;
    DWORD exitCode = 0;
};

class ShellProcess {
public:
    // An empty error on success.
    std::wstring Start(const std::wstring& program, std::wstring commandLine);
    // Without a timeout it waits as long as the shell runs; after the timeout the shell
    // is killed.
    ShellOutcome Wait(std::optional<unsigned long> timeoutMs);
    DWORD ProcessId() const noexcept { return m_processId; }

private:
    bool PumpUntilExit(ULONGLONG deadline);

    gs::UniqueKernelHandle m_process;
    DWORD m_processId = 0;
};

} // namespace lobby
