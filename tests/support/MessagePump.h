#pragma once
// Runs the thread's message loop for a test until something has happened, or a time
// limit (a guard against hangs, not a measurement) has passed.
#include <windows.h>

#include <functional>

namespace gs::test {

// A thread message of no window: a dialog's own loop drops it, and the wait then fails.
constexpr UINT kSentinel = WM_APP + 0x3F00;

inline bool& SentinelArrived() {
    static bool arrived = false;
    return arrived;
}

inline void CALLBACK PostSentinel(HWND, UINT, UINT_PTR timer, DWORD) {
    (void)::KillTimer(nullptr, timer);
    (void)::PostThreadMessageW(::GetCurrentThreadId(), kSentinel, 0, 0);
}

// Dispatches what is waiting in the thread's queue, and returns; false when a WM_QUIT
// came, which is posted again for the thread's own loop.
inline bool PumpPending() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (msg.message == kSentinel && !msg.hwnd)
            SentinelArrived() = true;
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
// everything the action posted, painted or timed has been handled.
inline bool PumpUntilSettled() {
    constexpr UINT kSentinelDelayMs = 20;
    SentinelArrived() = false;
    if (!::SetTimer(nullptr, 0, kSentinelDelayMs, PostSentinel))
        return false;
    return PumpUntil([] { return SentinelArrived(); });
}

} // namespace gs::test
