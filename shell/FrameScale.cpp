// The main window on its screen: the DPI it is drawn at, the size it opens at on a
// screen too small for it, where it goes when maximised, and a change of scale.
#include "platform/ui/ControlUI.h"
#include "platform/win/DpiAwareness.h"
#include "platform/win/ScopeGuard.h"
#include "shell/MaximiseRule.h"
#include "shell/ShellFrameWnd.h"

namespace {

MONITORINFO MonitorOf(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    (void)::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    return monitor;
}

SIZE SizeOf(const RECT& rc) {
    return {rc.right - rc.left, rc.bottom - rc.top};
}

} // namespace

int CShellFrameWnd::DrawingDpi() const {
    return m_dpiAware ? gs::DpiOfWindow(*this) : DuiLib::kBaseDpi;
}

// The skin laid out for a window of `window`: the Flash control's size and what the
// window adds around it; without a movie area the whole window keeps its shape. The
// window itself may not take that size (the system bounds it by the screen), so the
// skin is laid out for it directly, and again for the window's own size before it paints.
void CShellFrameWnd::MeasureMovieAt(SIZE window, SIZE& movie, SIZE& chrome) {
    movie = window;
    chrome = {0, 0};
    DuiLib::CControlUI* root = m_pm.GetRoot();
    if (!root)
        return;
    root->SetPos({0, 0, window.cx, window.cy});
    m_pm.NeedUpdate();
    int width = 0;
    int height = 0;
    if (MovieAreaSize(width, height)) {
        movie = {width, height};
        chrome = {window.cx - width, window.cy - height};
    }
}

// A skin larger than the work area of the monitor the window opens on opens at the
// largest size that fits, the movie's aspect kept.
void CShellFrameWnd::FitIntoWorkArea() {
    const SIZE skin = m_pm.GetInitSize();
    const SIZE room = SizeOf(MonitorOf(*this).rcWork);
    if (skin.cx <= 0 || skin.cy <= 0 || (skin.cx <= room.cx && skin.cy <= room.cy))
        return;
    SIZE movie{}, chrome{};
    MeasureMovieAt(skin, movie, chrome);
    const SIZE fit = gs::AspectFitInside(room, movie, chrome, true);
    (void)::SetWindowPos(*this, nullptr, 0, 0, fit.cx, fit.cy,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CShellFrameWnd::OnGetMinMaxInfo(LPARAM lParam, BOOL& handled) {
    const MONITORINFO monitor = MonitorOf(*this);
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    gs::MaximisePlacement placement = gs::AspectKeepingMaximise(
        monitor.rcMonitor, monitor.rcWork, m_szMovie, m_szChrome, info->ptMaxSize);
    info->ptMaxSize = placement.size;
    info->ptMaxPosition = placement.position;
    handled = FALSE;
    return 0;
}

// Windows suggests the rectangle that keeps the window's size at the new scale. The skin
// is scaled and laid out for it first, so the movie hears its new size once, at the end.
LRESULT CShellFrameWnd::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
    if (!m_dpiAware)
        return 0;
    m_pm.SetDpi(LOWORD(wParam));
    if (const auto* suggested = reinterpret_cast<const RECT*>(lParam)) {
        m_rescaling = true;
        gs::ScopeGuard rescaled([this] { m_rescaling = false; });
        (void)::SetWindowPos(*this, nullptr, suggested->left, suggested->top,
                             suggested->right - suggested->left, suggested->bottom - suggested->top,
                             SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ApplyRoundCorner();
    m_pm.UpdateLayout();
    int width = 0;
    int height = 0;
    if (MovieAreaSize(width, height)) {
        RecordSizes(width, height);
        (void)SendOnSize(width, height); // as on every resize, the movie's answer is not awaited
    }
    return 0;
}
