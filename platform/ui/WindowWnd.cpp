#include "platform/ui/WindowWnd.h"

#include <map>
#include <string>

#include "platform/ui/PaintManagerUI.h"

namespace DuiLib {

namespace {

// Where superclasses keep the procedure of the class they build on, by class name.
WNDPROC& SuperclassProc(const CDuiString& className) {
    static std::map<std::wstring, WNDPROC> procs;
    return procs[className.GetData()];
}

// An exception must not unwind through the system's code that called the window
// procedure: the message it came from counts as handled, and the loop goes on.
LRESULT HandleContained(CWindowWnd& window, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    try {
        return window.HandleMessage(uMsg, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

} // namespace

CWindowWnd::~CWindowWnd() {
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        (void)::DestroyWindow(m_hWnd);
    }
}

LPCTSTR CWindowWnd::GetSuperClassName() const {
    return nullptr;
}

UINT CWindowWnd::GetClassStyle() const {
    return 0;
}

LRESULT CWindowWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return ::CallWindowProcW(m_OldWndProc, m_hWnd, uMsg, wParam, lParam);
}

void CWindowWnd::OnFinalMessage(HWND) {}

HWND CWindowWnd::Create(HWND hwndParent, LPCTSTR pstrName, DWORD dwStyle, DWORD dwExStyle, int x,
                        int y, int cx, int cy, HMENU hMenu) {
    bool registered = GetSuperClassName() ? RegisterSuperclass() : RegisterWindowClass();
    if (!registered)
        return nullptr;
    HWND hWnd = ::CreateWindowExW(dwExStyle, GetWindowClassName(), pstrName, dwStyle, x, y, cx, cy,
                                  hwndParent, hMenu, CPaintManagerUI::GetInstance(), this);
    // m_hWnd is set from WM_NCCREATE on; a window that failed to build leaves it null.
    return hWnd ? m_hWnd : nullptr;
}

bool CWindowWnd::RegisterWindowClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = GetClassStyle();
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = CPaintManagerUI::GetInstance();
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = GetWindowClassName();
    if (::RegisterClassExW(&wc))
        return true;
    return ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool CWindowWnd::RegisterSuperclass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (!::GetClassInfoExW(nullptr, GetSuperClassName(), &wc) &&
        !::GetClassInfoExW(CPaintManagerUI::GetInstance(), GetSuperClassName(), &wc))
        return false;
    WNDPROC& base = SuperclassProc(GetWindowClassName());
    if (!base)
        base = wc.lpfnWndProc;
    m_OldWndProc = base;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = CPaintManagerUI::GetInstance();
    wc.lpszClassName = GetWindowClassName();
    if (::RegisterClassExW(&wc))
        return true;
    return ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

LRESULT CALLBACK CWindowWnd::WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    CWindowWnd* self = nullptr;
    if (uMsg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        self = static_cast<CWindowWnd*>(create->lpCreateParams);
        self->m_hWnd = hWnd;
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<CWindowWnd*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    }
    if (!self)
        return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
    if (uMsg != WM_NCDESTROY)
        return HandleContained(*self, uMsg, wParam, lParam);
    LRESULT result = HandleContained(*self, uMsg, wParam, lParam);
    ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
    self->m_hWnd = nullptr;
    self->OnFinalMessage(hWnd);
    return result;
}

void CWindowWnd::CenterWindow() {
    RECT window{};
    if (!m_hWnd || !::GetWindowRect(m_hWnd, &window))
        return;
    RECT area{};
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner))
        (void)::GetWindowRect(owner, &area);
    else if (::GetMonitorInfoW(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor))
        area = monitor.rcWork;
    else
        return;
    int width = window.right - window.left;
    int height = window.bottom - window.top;
    int x = area.left + ((area.right - area.left) - width) / 2;
    int y = area.top + ((area.bottom - area.top) - height) / 2;
    (void)::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWindowWnd::ShowWindow(bool bShow, bool bTakeFocus) {
    if (!m_hWnd)
        return;
    ::ShowWindow(m_hWnd, bShow ? (bTakeFocus ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE) : SW_HIDE);
}

LRESULT CWindowWnd::SendMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageW(m_hWnd, uMsg, wParam, lParam);
}

LRESULT CWindowWnd::PostMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return ::PostMessageW(m_hWnd, uMsg, wParam, lParam);
}

} // namespace DuiLib
