// The main frame's message handling. Each row of the table names its handler; a handler
// that takes the handled flag clears it to let the paint manager, and then default
// processing, see the message as well. The window never closes by itself: closing is the movie's
// decision, so WM_CLOSE and the system Close command only tell the movie.
#include "shell/ShellFrameWnd.h"

#include "platform/host/ActiveXUI.h"
#include "platform/host/FlashUI.h"
#include "platform/ui/ControlUI.h"
#include "platform/win/MessagePoint.h"

#include <cstring>

using DuiLib::CControlUI;
using DuiLib::CDuiRect;

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

// What the frame does not answer alone goes on to the paint manager, and then to the
// system's default processing.
LRESULT CShellFrameWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    BOOL handled = TRUE;
    LRESULT result = RouteMessage(uMsg, wParam, lParam, handled);
    if (handled)
        return result;
    if (m_pm.MessageHandler(uMsg, wParam, lParam, result))
        return result;
    return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
}

LRESULT CShellFrameWnd::RouteMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& handled) {
    switch (uMsg) {
    case WM_CREATE:
        return OnCreate();
    case WM_DESTROY:
        return DestroyWithoutQuitting();
    case WM_SIZE:
        return OnSize(handled);
    case WM_DPICHANGED:
        return OnDpiChanged(wParam, lParam);
    case WM_CLOSE:
        return LeaveClosingToMovie();
    case WM_GETMINMAXINFO:
        return OnGetMinMaxInfo(lParam, handled);
    case WM_NCCALCSIZE:
        return KeepWholeWindowAsClientArea();
    case WM_NCHITTEST:
        return OnNcHitTest(lParam);
    case WM_NCPAINT:
        return PaintNoSystemFrame();
    case WM_NCACTIVATE:
        return OnNcActivate(wParam, handled);
    case WM_SYSCOMMAND:
        return OnSysCommand(wParam, lParam);
    case WM_TIMER:
        return OnTimer(wParam);
    case WM_LBUTTONDOWN:
        return OnLButtonDown(lParam, handled);
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: // the class asks for double clicks: a quick second press
        return OnRButtonDown(lParam);
    case WM_SETFOCUS:
        return OnSetFocus(handled);
    default:
        handled = FALSE;
        return 0;
    }
}

// The process ends when the movie says so, not when the window goes: destroying it
// posts no quit.
LRESULT CShellFrameWnd::DestroyWithoutQuitting() {
    return 0;
}

// Closing is the movie's decision: a WM_CLOSE from outside closes nothing, and the
// system's Close command (SC_CLOSE) asks the movie instead.
LRESULT CShellFrameWnd::LeaveClosingToMovie() {
    return 0;
}

// The skin draws the whole window: no border or caption is taken from it.
LRESULT CShellFrameWnd::KeepWholeWindowAsClientArea() {
    return 0;
}

// There is no system frame to paint; the skin paints the caption band itself.
LRESULT CShellFrameWnd::PaintNoSystemFrame() {
    return 0;
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

bool CShellFrameWnd::MovieAreaSize(int& width, int& height) {
    return GetControlSize(L"flash", width, height) && width > 0 && height > 0;
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
    if (!m_rescaling && MovieAreaSize(width, height)) {
        CDuiRect window;
        (void)::GetWindowRect(*this, &window);
        (void)SendOnSize(window.GetWidth() - m_szChrome.cx, window.GetHeight() - m_szChrome.cy);
    }
    handled = FALSE;
    return 0;
}

LRESULT CShellFrameWnd::OnNcHitTest(LPARAM lParam) {
    POINT point = gs::PointFromLParam(lParam);
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

LRESULT CShellFrameWnd::OnSysCommand(WPARAM wParam, LPARAM lParam) {
    if (wParam == SC_CLOSE) {
        SendOnClose();
        return 0;
    }
    bool wasZoomed = ::IsZoomed(*this) != FALSE;
    LRESULT result = CWindowWnd::HandleMessage(WM_SYSCOMMAND, wParam, lParam);
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
    CControlUI* control = m_pm.FindControl(gs::PointFromLParam(lParam));
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

LRESULT CShellFrameWnd::OnRButtonDown(LPARAM lParam) {
    POINT point = gs::PointFromLParam(lParam);
    wchar_t request[EnterGameInfo::kRequestBufferUnits] = {};
    if (m_enterGame.BuildOnRButtonDown(point.x, point.y, request))
        (void)CallFlash(request);
    return 0;
}
