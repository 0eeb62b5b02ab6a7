#include "tools/lobby/PlatformWindow.h"

#include "tools/lobby/GameMasterRoomMessage.h"

namespace lobby {

static const wchar_t kClassName[] = L"GameShellLobbyPlatform";

bool PlatformWindow::Create() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &PlatformWindow::WindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    if (!::RegisterClassExW(&windowClass) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return false;
    m_window.reset(::CreateWindowExW(0, kClassName, L"GameShell lobby", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                     nullptr, windowClass.hInstance, this));
    return static_cast<bool>(m_window);
}

LRESULT CALLBACK PlatformWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<PlatformWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY)
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (self && message == WM_COPYDATA)
        return self->OnCopyData(reinterpret_cast<HWND>(wParam),
                                reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT PlatformWindow::OnCopyData(HWND sender, const COPYDATASTRUCT* data) {
    const GameMasterRoomReport report = DescribeGameMasterRoom(sender, data);
    m_log.Line(report.line);
    return report.wellFormed ? TRUE : FALSE;
}

} // namespace lobby
