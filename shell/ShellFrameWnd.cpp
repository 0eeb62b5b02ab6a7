// The main frame's message handling. Each handler starts with the message marked as
// handled and clears the mark to let the paint manager, and then default processing,
// see the message as well. The window never closes by itself: closing is the movie's
// decision, so WM_CLOSE and the system Close command only tell the movie.
#include "shell/ShellFrameWnd.h"

#include "platform/host/ActiveXUI.h"
#include "platform/host/FlashUI.h"
#include "platform/ui/ControlUI.h"

#include <cstring>

using DuiLib::CControlUI;
using DuiLib::CDuiRect;

namespace {

POINT PointOf(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

} // namespace

CShellFrameWnd::CShellFrameWnd() : m_szMovie(1000, 625) {
    std::memset(m_fileFilter, 0, sizeof m_fileFilter);
    LoadSettings();
}

// The player is released with the skin, inside the paint manager, the last member to
// go; the movie may still call in on its way out. By then the members its calls use
// are gone, so the frame stops hearing the movie first.
CShellFrameWnd::~CShellFrameWnd() {
    if (auto* flash = dynamic_cast<DuiLib::CFlashUI*>(m_pm.FindControl(L"flash")))
        flash->SetFlashEventHandler(nullptr);
}

LPCTSTR CShellFrameWnd::GetWindowClassName() const {
    return L"UIMainFrame";
}

UINT CShellFrameWnd::GetClassStyle() const {
    return CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_SAVEBITS;
}

void CShellFrameWnd::OnFinalMessage(HWND) {
    try {
        delete this;
    } catch (...) {
    }
}

LRESULT CShellFrameWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    BOOL handled = TRUE;
    switch (uMsg) {
    case WM_CREATE:
        result = OnCreate(handled);
        break;
    case WM_DESTROY:
        break;
    case WM_SIZE:
        result = OnSize(handled);
        break;
    case WM_DPICHANGED:
        result = OnDpiChanged(wParam, lParam);
        break;
    case WM_CLOSE:
        break;
    case WM_GETMINMAXINFO:
        result = OnGetMinMaxInfo(lParam, handled);
        break;
    case WM_NCCALCSIZE:
        break;
    case WM_NCHITTEST:
        result = OnNcHitTest(lParam, handled);
        break;
    case WM_NCPAINT:
        break;
    case WM_NCACTIVATE:
        result = OnNcActivate(wParam, handled);
        break;
    case WM_SYSCOMMAND:
        result = OnSysCommand(uMsg, wParam, lParam, handled);
        break;
    case WM_TIMER:
        result = OnTimer(uMsg, wParam, lParam, handled);
        break;
    case WM_LBUTTONDOWN:
        result = OnLButtonDown(lParam, handled);
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: // the class asks for double clicks: a quick second press
        result = OnRButtonDown(lParam, handled);
        break;
    case WM_SETFOCUS:
        result = OnSetFocus(handled);
        break;
    default:
        handled = FALSE;
        break;
    }
    if (handled)
        return result;
    if (m_pm.MessageHandler(uMsg, wParam, lParam, result))
        return result;
    return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
}

bool CShellFrameWnd::GetControlSize(LPCTSTR name, int& width, int& height) {
    if (!name || !m_pm.GetRoot())
        return false;
    CControlUI* control = m_pm.FindControl(name);
    if (!control)
        return false;
    width = control->GetWidth();
    height = control->GetHeight();
    return true;
}

HRESULT CShellFrameWnd::SendOnSize(int width, int height) {
    wchar_t request[EnterGameInfo::kRequestBufferUnits] = {};
    if (!m_enterGame.BuildOnSize(width, height, request))
        return E_FAIL;
    return CallFlash(request);
}

// Closing is the movie's decision; a movie that cannot be asked (no player, no movie,
// no "OnClose" callback) cannot decide, and the close request then ends the process as
// "ExitGame" would, rather than leave a window nobody can close.
void CShellFrameWnd::SendOnClose() {
    wchar_t request[EnterGameInfo::kRequestBufferUnits] = {};
    if (m_enterGame.BuildOnClose(request) && CallFlash(request) != S_OK)
        ::ExitProcess(0);
}

void CShellFrameWnd::ApplyRoundCorner() {
    SIZE corner = m_pm.GetRoundCorner();
    if (::IsIconic(*this) || (corner.cx == 0 && corner.cy == 0))
        return;
    CDuiRect window;
    (void)::GetWindowRect(*this, &window);
    window.Offset(-window.left, -window.top);
    HRGN region =
        ::CreateRoundRectRgn(0, 0, window.right + 1, window.bottom + 1, corner.cx, corner.cy);
    (void)::SetWindowRgn(*this, region, TRUE); // the system owns the region from here on
}

LRESULT CShellFrameWnd::OnSize(BOOL& handled) {
    ApplyRoundCorner();
    int width = 0;
    int height = 0;
    if (!m_rescaling && GetControlSize(L"flash", width, height) && width > 0 && height > 0) {
        CDuiRect window;
        (void)::GetWindowRect(*this, &window);
        (void)SendOnSize(window.GetWidth() - m_szChrome.cx, window.GetHeight() - m_szChrome.cy);
    }
    handled = FALSE;
    return 0;
}

LRESULT CShellFrameWnd::OnNcHitTest(LPARAM lParam, BOOL&) {
    POINT point = PointOf(lParam);
    (void)::ScreenToClient(*this, &point);
    RECT client;
    (void)::GetClientRect(*this, &client);
    const RECT& caption = m_pm.GetCaptionRect();
    bool inBand = point.x >= client.left + caption.left && point.x < client.right - caption.right &&
                  point.y >= caption.top && point.y < caption.bottom;
    if (!inBand)
        return HTCLIENT;
    CControlUI* control = m_pm.FindControl(point);
    if (control && std::wcscmp(control->GetClass(), L"ButtonUI") != 0)
        return HTCAPTION;
    return HTCLIENT;
}

LRESULT CShellFrameWnd::OnNcActivate(WPARAM wParam, BOOL& handled) {
    if (::IsIconic(*this))
        handled = FALSE;
    return wParam == 0 ? TRUE : FALSE;
}

LRESULT CShellFrameWnd::OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL&) {
    if (wParam == SC_CLOSE) {
        SendOnClose();
        return 0;
    }
    bool wasZoomed = ::IsZoomed(*this) != FALSE;
    LRESULT result = CWindowWnd::HandleMessage(uMsg, wParam, lParam);
    bool zoomed = ::IsZoomed(*this) != FALSE;
    if (zoomed != wasZoomed)
        SwapMaximiseButtons(zoomed);
    return result;
}

void CShellFrameWnd::SwapMaximiseButtons(bool maximised) {
    if (CControlUI* maxButton = m_pm.FindControl(L"maxbtn"))
        maxButton->SetVisible(!maximised);
    if (CControlUI* restoreButton = m_pm.FindControl(L"restorebtn"))
        restoreButton->SetVisible(maximised);
}

// A caption button acts on the click alone and never takes the skin's focus, which
// would let Space and Enter press it again.
LRESULT CShellFrameWnd::OnLButtonDown(LPARAM lParam, BOOL& handled) {
    CControlUI* control = m_pm.FindControl(PointOf(lParam));
    if (control && control->GetManager() == &m_pm && !IsCaptionButton(control))
        control->SetFocus();
    handled = FALSE;
    return 0;
}

bool CShellFrameWnd::IsCaptionButton(const CControlUI* control) const {
    return control == m_pCloseBtn || control == m_pMaxBtn || control == m_pRestoreBtn ||
           control == m_pMinBtn;
}

// Game keys belong to the movie: the keyboard the frame is given (on activation, after
// a restore, after a click on the skin) goes on to the player's own window.
LRESULT CShellFrameWnd::OnSetFocus(BOOL& handled) {
    GiveKeyboardToMovie();
    handled = FALSE;
    return 0;
}

void CShellFrameWnd::GiveKeyboardToMovie() {
    auto* flash = dynamic_cast<DuiLib::CActiveXUI*>(m_pm.FindControl(L"flash"));
    if (HWND player = flash ? flash->GetHostWindow() : nullptr)
        ::SetFocus(player);
}

LRESULT CShellFrameWnd::OnRButtonDown(LPARAM lParam, BOOL&) {
    POINT point = PointOf(lParam);
    wchar_t request[EnterGameInfo::kRequestBufferUnits] = {};
    if (m_enterGame.BuildOnRButtonDown(point.x, point.y, request))
        (void)CallFlash(request);
    return 0;
}
