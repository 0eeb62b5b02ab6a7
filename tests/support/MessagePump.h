#pragma once
// Runs the thread's message loop for a test until something has happened, or a time
// limit (a guard against hangs, not a measurement) has passed.
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

inline void PumpFor(DWORD ms) {
    DWORD start = ::GetTickCount();
    (void)PumpUntil([&] { return ::GetTickCount() - start >= ms; }, ms + 1000);
}

} // namespace gs::test
