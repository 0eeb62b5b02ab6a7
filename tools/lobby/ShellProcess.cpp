#include "tools/lobby/ShellProcess.h"

#include <array>
#include <climits>

namespace lobby {

// An inheritable copy of one of this process's standard handles, or none.
static gs::UniqueKernelHandle InheritableStdHandle(DWORD which) {
    const HANDLE handle = ::GetStdHandle(which);
    gs::UniqueKernelHandle copy;
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
        return copy;
    const HANDLE self = ::GetCurrentProcess();
    if (!::DuplicateHandle(self, handle, self, copy.put(), 0, TRUE, DUPLICATE_SAME_ACCESS))
        copy.reset();
    return copy;
}

std::wstring ShellProcess::Start(const std::wstring& program, std::wstring commandLine) {
    std::array<gs::UniqueKernelHandle, 3> handles{InheritableStdHandle(STD_INPUT_HANDLE),
                                                  InheritableStdHandle(STD_OUTPUT_HANDLE),
                                                  InheritableStdHandle(STD_ERROR_HANDLE)};
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = handles[0].get();
    startup.hStdOutput = handles[1].get();
    startup.hStdError = handles[2].get();
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                          nullptr, &startup, &process))
        return L"cannot start " + program + L" (error " + std::to_wstring(::GetLastError()) + L")";
    gs::UniqueKernelHandle thread(process.hThread);
    m_process.reset(process.hProcess);
    m_processId = process.dwProcessId;
    return std::wstring();
}

// Dispatches whatever reaches this thread; sent messages are delivered inside PeekMessage.
static void DispatchPending() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

bool ShellProcess::PumpUntilExit(ULONGLONG deadline) {
    for (;;) {
        const ULONGLONG now = ::GetTickCount64();
        const DWORD wait = deadline == ULLONG_MAX ? INFINITE
                           : now >= deadline      ? 0
                                                  : static_cast<DWORD>(deadline - now);
        const HANDLE process = m_process.get();
        const DWORD result = ::MsgWaitForMultipleObjects(1, &process, FALSE, wait, QS_ALLINPUT);
        if (result == WAIT_OBJECT_0)
            return true;
        if (result != WAIT_OBJECT_0 + 1)
            return false;
        DispatchPending();
    }
}

ShellOutcome ShellProcess::Wait(std::optional<unsigned long> timeoutMs) {
    const ULONGLONG deadline = timeoutMs ? ::GetTickCount64() + *timeoutMs : ULLONG_MAX;
    ShellOutcome outcome;
    if (!PumpUntilExit(deadline)) {
        outcome.timedOut = true;
        (void)::TerminateProcess(m_process.get(), 1);
        (void)::WaitForSingleObject(m_process.get(), INFINITE);
    }
    (void)::GetExitCodeProcess(m_process.get(), &outcome.exitCode);
    return outcome;
}

} // namespace lobby
