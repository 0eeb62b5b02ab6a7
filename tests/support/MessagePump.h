#pragma once
// Runs the thread's message loop for a test until something has happened, or a time
// limit (a guard against hangs, not a measurement) has passed.
#include "platform/win/Handles.h"

#include <windows.h>

#include <functional>

namespace gs::test {

// Dispatches what is waiting in the thread's queue, and returns; false when a WM_QUIT
// came, which is posted again for the thread's own loop.
inline bool PumpPending() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return true;
}

inline bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 10000) {
    DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > limitMs)
            return false;
        if (!PumpPending())
            return done();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

// Only for what another process does, which no message of this thread announces.
inline void PumpFor(DWORD ms) {
    DWORD start = ::GetTickCount();
    (void)PumpUntil([&] { return ::GetTickCount() - start >= ms; }, ms + 1000);
}

// Proves that nothing came of what a test just did. The sentinel is posted from a timer
// of the test's own, and the system makes a timer's message only when the queue is empty
// and after the timers due before it (the file flows' 5 ms): once the sentinel arrives,
// everything the action posted, painted or timed has been handled. A message-only window
// receives it, so it arrives even through a dialog's own message loop.
class Sentinel {
public:
    static constexpr UINT kDelayMs = 20;

    Sentinel()
        : m_window(::CreateWindowExW(0, ClassName(), nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     nullptr, nullptr)) {
        ::SetWindowLongPtrW(m_window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&m_arrived));
    }
    Sentinel(const Sentinel&) = delete;
    Sentinel& operator=(const Sentinel&) = delete;
    // False when the sentinel could not be sent, or did not arrive within the limit.
    bool PumpUntilArrived() {
        if (!m_window || !::SetTimer(m_window.get(), kTimer, kDelayMs, nullptr))
            return false;
        return PumpUntil([this] { return m_arrived; });
    }

private:
    static constexpr UINT_PTR kTimer = 1;
    static constexpr UINT kArrived = WM_APP + 1;

    static LPCWSTR ClassName() {
        static const ATOM atom = [] {
            WNDCLASSW type{};
            type.lpfnWndProc = Receive;
            type.hInstance = ::GetModuleHandleW(nullptr);
            type.lpszClassName = L"GameShellTestSentinel";
            return ::RegisterClassW(&type);
        }();
        return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(atom));
    }
    static LRESULT CALLBACK Receive(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_TIMER) {
            (void)::KillTimer(window, kTimer);
            (void)::PostMessageW(window, kArrived, 0, 0);
            return 0;
        }
        if (message == kArrived) {
            *reinterpret_cast<bool*>(::GetWindowLongPtrW(window, GWLP_USERDATA)) = true;
            return 0;
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    }

    bool m_arrived = false;
    gs::UniqueWindow m_window;
};

// Pumps until everything the test's last action could cause has been handled.
inline bool PumpUntilSettled() {
    return Sentinel().PumpUntilArrived();
}

} // namespace gs::test
