#include "platform/win/DpiAwareness.h"

#include "platform/win/Handles.h"
#include "platform/win/ProcedureOf.h"

namespace gs {

namespace {

// The values of the system's DPI_AWARENESS_CONTEXT, PROCESS_DPI_AWARENESS and
// MONITOR_DPI_TYPE that the shell uses.
const auto kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
constexpr int kProcessPerMonitorDpiAware = 2;
constexpr int kMonitorEffectiveDpi = 0;

using SetProcessDpiAwarenessContextProc = BOOL(WINAPI*)(HANDLE);
using SetProcessDpiAwarenessProc = HRESULT(WINAPI*)(int);
using SetProcessDpiAwareProc = BOOL(WINAPI*)();
using GetDpiForWindowProc = UINT(WINAPI*)(HWND);
using GetDpiForMonitorProc = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

HMODULE User32() {
    return ::GetModuleHandleW(L"user32.dll");
}

UniqueModule Shcore() {
    return UniqueModule(::LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
}

int ScreenDpi() {
    HDC screen = ::GetDC(nullptr);
    if (!screen)
        return USER_DEFAULT_SCREEN_DPI;
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    (void)::ReleaseDC(nullptr, screen); // a common screen DC: releasing it cannot fail
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

} // namespace

bool DeclareDpiAwareness() {
    if (auto perMonitorV2 = ProcedureOf<SetProcessDpiAwarenessContextProc>(
            User32(), "SetProcessDpiAwarenessContext");
        perMonitorV2 && perMonitorV2(kPerMonitorAwareV2))
        return true;
    UniqueModule shcore = Shcore();
    if (auto perMonitor =
            ProcedureOf<SetProcessDpiAwarenessProc>(shcore.get(), "SetProcessDpiAwareness");
        perMonitor && SUCCEEDED(perMonitor(kProcessPerMonitorDpiAware)))
        return true;
    auto systemAware = ProcedureOf<SetProcessDpiAwareProc>(User32(), "SetProcessDPIAware");
    return systemAware && systemAware();
}

int DpiOfWindow(HWND window) {
    if (auto ofWindow = ProcedureOf<GetDpiForWindowProc>(User32(), "GetDpiForWindow")) {
        if (UINT dpi = ofWindow(window))
            return static_cast<int>(dpi);
    }
    UniqueModule shcore = Shcore();
    if (auto ofMonitor = ProcedureOf<GetDpiForMonitorProc>(shcore.get(), "GetDpiForMonitor")) {
        UINT x = 0, y = 0;
        if (SUCCEEDED(ofMonitor(::MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY),
                                kMonitorEffectiveDpi, &x, &y)) &&
            x > 0)
            return static_cast<int>(x);
    }
    return ScreenDpi();
}

} // namespace gs
