#include "platform/ui/PaintManagerUI.h"

#include <algorithm>

#include "platform/ui/AttributeTable.h"
#include "platform/ui/ControlUI.h"
#include "platform/win/MessagePoint.h"
#include "platform/win/ModulePath.h"

namespace DuiLib {

namespace {

HINSTANCE& InstanceHandle() {
    static HINSTANCE instance = nullptr;
    return instance;
}

CDuiString& ResourcePath() {
    static CDuiString path;
    return path;
}

bool IsExtent(LONG value) {
    return value >= 0 && value <= (1 << 20);
}

// A window with more colours than this lets the cache start again rather than grow.
constexpr size_t kMaxCachedBrushes = 64;

constexpr AttributeRow<CPaintManagerUI> kWindowAttributes[] = {
    AttributeRowOf<ParseSizeAttribute, &CPaintManagerUI::SetInitSize>(L"size"),
    AttributeRowOf<ParseRectAttribute, &CPaintManagerUI::SetCaptionRect>(L"caption"),
    AttributeRowOf<ParseSizeAttribute, &CPaintManagerUI::SetRoundCorner>(L"roundcorner"),
    AttributeRowOf<ParseColorAttribute, &CPaintManagerUI::SetBkColor>(L"bkcolor"),
    AttributeRowOf<ParseTextAttribute, &CPaintManagerUI::SetDefaultFontName>(L"font"),
    AttributeRowOf<ParseIntAttribute, &CPaintManagerUI::SetDefaultFontSize>(L"fontsize"),
};

// Faces with the CJK glyphs the skins use, best first: Windows' own, then the one
// Wine finds on Linux systems, then the old Windows one.
constexpr LPCTSTR kDefaultFontNames[] = {L"Microsoft YaHei", L"WenQuanYi Micro Hei", L"SimSun"};

int CALLBACK CountFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool IsFontInstalled(const std::wstring& face) {
    static std::map<std::wstring, bool> known;
    auto cached = known.find(face);
    if (cached != known.end())
        return cached->second;
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    face.copy(query.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    gs::WindowDC screen(nullptr);
    if (screen)
        // The answer is in `found`.
        (void)::EnumFontFamiliesExW(screen.get(), &query, CountFace,
                                    reinterpret_cast<LPARAM>(&found), 0);
    return known[face] = found;
}

const CDuiString& FallbackFontName() {
    static const CDuiString name = [] {
        for (LPCTSTR face : kDefaultFontNames) {
            if (IsFontInstalled(face))
                return CDuiString(face);
        }
        return CDuiString(kDefaultFontNames[0]);
    }();
    return name;
}

} // namespace

CPaintManagerUI::~CPaintManagerUI() {
    // Before the members go: the controls tell the manager as they are deleted.
    m_pRoot.reset();
}

void CPaintManagerUI::SetInstance(HINSTANCE hInst) {
    InstanceHandle() = hInst;
}

HINSTANCE CPaintManagerUI::GetInstance() {
    return InstanceHandle() ? InstanceHandle() : ::GetModuleHandleW(nullptr);
}

CDuiString CPaintManagerUI::GetInstancePath() {
    return CDuiString(gs::ModuleFolder(GetInstance()).c_str());
}

void CPaintManagerUI::SetResourcePath(LPCTSTR pStrPath) {
    CDuiString& path = ResourcePath();
    path = pStrPath;
    if (!path.IsEmpty() && path.Right(1) != L"\\" && path.Right(1) != L"/")
        path += L'\\';
}

const CDuiString& CPaintManagerUI::GetResourcePath() {
    return ResourcePath();
}

void CPaintManagerUI::MessageLoop() {
    MSG msg{};
    for (;;) {
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1)
            return;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void CPaintManagerUI::Init(HWND hWnd) {
    m_hWndPaint = hWnd;
}

bool CPaintManagerUI::AttachDialog(CControlUI* pControl) {
    if (m_pRoot.get() != pControl)
        m_pRoot.reset(pControl);
    if (!m_pRoot)
        return false;
    m_pRoot->SetManager(this, nullptr, true);
    const SIZE windowSize = GetInitSize();
    if (m_hWndPaint && windowSize.cx > 0 && windowSize.cy > 0)
        (void)::SetWindowPos(m_hWndPaint, nullptr, 0, 0, windowSize.cx, windowSize.cy,
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    NeedUpdate();
    if (m_hWndPaint && ::IsWindowVisible(m_hWndPaint))
        ScheduleWindowInit();
    return true;
}

void CPaintManagerUI::SetWindowAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    (void)ApplyAttributeRow(kWindowAttributes, *this, pstrName, pstrValue); // unknown: ignored
}

void CPaintManagerUI::SetDpi(int dpi) {
    if (dpi < kMinDpi || dpi > kMaxDpi || dpi == m_dpi)
        return;
    m_dpi = dpi;
    m_images.SetDpi(dpi);
    NeedUpdate();
}

void CPaintManagerUI::SetRoundCorner(SIZE size) {
    if (IsExtent(size.cx) && IsExtent(size.cy))
        m_szRoundCorner = size;
}

void CPaintManagerUI::SetInitSize(SIZE size) {
    if (IsExtent(size.cx) && IsExtent(size.cy))
        m_szInitWindowSize = size;
}

void CPaintManagerUI::SetDefaultFontSize(int size) {
    if (IsFontSize(size))
        m_defaultFont.iSize = size;
}

const CDuiString& CPaintManagerUI::GetDefaultFontName() const {
    return m_defaultFont.sFontName.IsEmpty() ? FallbackFontName() : m_defaultFont.sFontName;
}

TFontInfo CPaintManagerUI::GetDefaultFontInfo() const {
    TFontInfo font = m_defaultFont;
    font.sFontName = GetDefaultFontName();
    return font;
}

void CPaintManagerUI::AddFont(const TFontInfo& font) {
    m_customFonts.push_back(font);
}

const TFontInfo* CPaintManagerUI::GetFontInfo(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= m_customFonts.size())
        return nullptr;
    return &m_customFonts[static_cast<size_t>(index)];
}

HFONT CPaintManagerUI::GetFont(LPCTSTR pstrFace, int nSize, bool bBold) {
    TFontInfo font{pstrFace ? pstrFace : L"", nSize};
    font.bBold = bBold;
    return GetFont(font);
}

HFONT CPaintManagerUI::GetFont(const TFontInfo& info) {
    std::wstring face = info.sFontName.GetData();
    // A face the system lacks would draw the skin's Chinese text as boxes.
    if (face.empty() || !IsFontInstalled(face))
        face = FallbackFontName().GetData();
    const int height = Scale(info.iSize);
    std::wstring key = face + L'|' + std::to_wstring(height) + (info.bBold ? L"|b" : L"|n") +
                       (info.bItalic ? L"i" : L"") + (info.bUnderline ? L"u" : L"");
    gs::UniqueFont& font = m_fonts[key];
    if (!font)
        font.reset(::CreateFontW(-height, 0, 0, 0, info.bBold ? FW_BOLD : FW_NORMAL, info.bItalic,
                                 info.bUnderline, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                 face.c_str()));
    return font.get();
}

HBRUSH CPaintManagerUI::GetBrush(DWORD argb) {
    COLORREF colour = ToColorRef(argb);
    auto cached = m_brushes.find(colour);
    if (cached != m_brushes.end())
        return cached->second.get();
    gs::UniqueBrush brush(::CreateSolidBrush(colour));
    if (!brush)
        return nullptr; // FillRect then paints nothing; a later paint tries again
    if (m_brushes.size() >= kMaxCachedBrushes)
        m_brushes.clear(); // no brush stays selected between paints
    return m_brushes.emplace(colour, std::move(brush)).first->second.get();
}

bool CPaintManagerUI::AddNotifier(INotifyUI* pNotifier) {
    if (!pNotifier ||
        std::find(m_notifiers.begin(), m_notifiers.end(), pNotifier) != m_notifiers.end())
        return false;
    m_notifiers.push_back(pNotifier);
    return true;
}

bool CPaintManagerUI::RemoveNotifier(INotifyUI* pNotifier) {
    auto found = std::find(m_notifiers.begin(), m_notifiers.end(), pNotifier);
    if (found == m_notifiers.end())
        return false;
    m_notifiers.erase(found);
    return true;
}

void CPaintManagerUI::SendNotify(CControlUI* pControl, LPCTSTR pstrMessage, WPARAM wParam,
                                 LPARAM lParam) {
    TNotifyUI msg;
    msg.sType = pstrMessage;
    msg.pSender = pControl;
    msg.dwTimestamp = ::GetTickCount();
    msg.wParam = wParam;
    msg.lParam = lParam;
    if (::GetCursorPos(&msg.ptMouse) && m_hWndPaint)
        (void)::ScreenToClient(m_hWndPaint, &msg.ptMouse);
    // A copy: a notifier may add or remove notifiers while it is told.
    std::vector<INotifyUI*> notifiers = m_notifiers;
    for (INotifyUI* notifier : notifiers)
        notifier->Notify(msg);
}

CControlUI* CPaintManagerUI::FindControl(LPCTSTR pstrName) const {
    if (!m_pRoot || !pstrName)
        return nullptr;
    return m_pRoot->FindInTree([pstrName](CControlUI& c) { return c.GetName() == pstrName; });
}

CControlUI* CPaintManagerUI::FindControl(POINT pt) {
    UpdateLayout();
    return m_pRoot ? m_pRoot->FindControlAt(pt) : nullptr;
}

void CPaintManagerUI::SetFocus(CControlUI* pControl) {
    if (pControl == m_pFocus)
        return;
    if (CControlUI* old = std::exchange(m_pFocus, nullptr))
        SendEvent(old, UIEvent::KillFocus);
    m_pFocus = pControl;
    if (!m_pFocus)
        return;
    SendEvent(m_pFocus, UIEvent::SetFocus);
    if (m_hWndPaint && ::GetFocus() != m_hWndPaint)
        ::SetFocus(m_hWndPaint);
}

void CPaintManagerUI::NeedUpdate() {
    m_bUpdateNeeded = true;
    Invalidate();
}

void CPaintManagerUI::Invalidate() {
    if (m_hWndPaint)
        (void)::InvalidateRect(m_hWndPaint, nullptr, FALSE);
}

void CPaintManagerUI::Invalidate(const RECT& rcItem) {
    if (m_hWndPaint)
        (void)::InvalidateRect(m_hWndPaint, &rcItem, FALSE);
}

void CPaintManagerUI::UpdateLayout() {
    if (!m_bUpdateNeeded || !m_pRoot || !m_hWndPaint || ::IsIconic(m_hWndPaint))
        return;
    RECT client{};
    if (!::GetClientRect(m_hWndPaint, &client) || ::IsRectEmpty(&client))
        return;
    m_bUpdateNeeded = false;
    m_pRoot->SetPos(client);
}

// A root with a colour of its own paints all of its rectangle opaque, so the window's
// colour under it would never show: one full-window fill saved on every paint.
bool CPaintManagerUI::RootCovers(const RECT& area) const {
    if (!m_pRoot || !m_pRoot->IsVisible() || m_pRoot->GetBkColor() >> 24 == 0)
        return false;
    RECT covered{};
    return ::UnionRect(&covered, &m_pRoot->GetPos(), &area) &&
           ::EqualRect(&covered, &m_pRoot->GetPos());
}

void CPaintManagerUI::Render(HDC dc, const RECT& area) {
    UpdateLayout();
    RECT client{};
    if (!m_hWndPaint || !::GetClientRect(m_hWndPaint, &client) || ::IsRectEmpty(&client))
        return;
    HDC buffer = m_backBuffer.Prepare(SIZE{client.right, client.bottom});
    if (!buffer)
        return;
    if (!RootCovers(area))
        (void)::FillRect(buffer, &area, GetBrush(m_dwBackColor));
    if (m_pRoot && m_pRoot->IsVisible())
        m_pRoot->DoPaint(buffer, area);
    (void)::BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, buffer,
                   area.left, area.top, SRCCOPY);
}

void CPaintManagerUI::InitControls(CControlUI* pControl) {
    if (!m_bWindowInitDone || !pControl)
        return;
    std::vector<CControlUI*> pending;
    pControl->FindInTree([&pending](CControlUI& c) {
        if (!c.m_bInitDone)
            pending.push_back(&c);
        return false;
    });
    ++m_initDepth;
    for (CControlUI* control : pending) {
        if (m_reapedDuringInit.count(control) || control->m_bInitDone)
            continue;
        control->m_bInitDone = true;
        control->DoInit();
    }
    if (--m_initDepth == 0)
        m_reapedDuringInit.clear();
}

void CPaintManagerUI::ReapObjects(CControlUI* pControl) {
    if (m_pFocus == pControl)
        m_pFocus = nullptr;
    if (m_pEventHover == pControl)
        m_pEventHover = nullptr;
    if (m_pEventClick == pControl)
        m_pEventClick = nullptr;
    if (m_pRoot.get() == pControl)
        (void)m_pRoot.release(); // deleted by whoever deletes it now
    if (m_initDepth > 0)
        m_reapedDuringInit.insert(pControl);
}

bool CPaintManagerUI::MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes) {
    if (!m_hWndPaint)
        return false;
    switch (uMsg) {
    case UIMSG_WINDOWINIT:
        OnWindowInit();
        lRes = 0;
        return true;
    case WM_SHOWWINDOW:
        if (wParam)
            ScheduleWindowInit();
        return false;
    case WM_PAINT:
        OnPaint();
        lRes = 0;
        return true;
    case WM_PRINTCLIENT: {
        RECT client{};
        (void)::GetClientRect(m_hWndPaint, &client);
        Render(reinterpret_cast<HDC>(wParam), client);
        lRes = 0;
        return true;
    }
    case WM_ERASEBKGND:
        lRes = 1; // the paint covers everything
        return true;
    case WM_SIZE:
        NeedUpdate();
        UpdateLayout();
        return false;
    case WM_MOUSEMOVE:
        OnMouseMove(gs::PointFromLParam(lParam), wParam);
        return false;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnButtonDown(gs::PointFromLParam(lParam), wParam);
        return false;
    case WM_LBUTTONUP:
        OnButtonUp(gs::PointFromLParam(lParam), wParam);
        return false;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != m_hWndPaint)
            OnCaptureLost();
        return false;
    case WM_CANCELMODE:
        OnCaptureLost();
        return false;
    case WM_KEYDOWN:
        OnKeyDown(wParam, lParam);
        return false;
    default:
        return false;
    }
}

void CPaintManagerUI::ScheduleWindowInit() {
    if (m_bWindowInitPosted || !m_pRoot || !m_hWndPaint)
        return;
    m_bWindowInitPosted = ::PostMessageW(m_hWndPaint, UIMSG_WINDOWINIT, 0, 0) != FALSE;
}

void CPaintManagerUI::OnWindowInit() {
    m_bWindowInitPosted = false;
    if (m_bWindowInitDone || !m_pRoot)
        return;
    m_bWindowInitDone = true;
    UpdateLayout();
    SendNotify(m_pRoot.get(), L"windowinit");
    InitControls(m_pRoot.get());
}

void CPaintManagerUI::OnPaint() {
    ScheduleWindowInit();
    if (!::GetUpdateRect(m_hWndPaint, nullptr, FALSE))
        return;
    gs::PaintDC paint(m_hWndPaint);
    Render(paint.get(), paint.area());
}

void CPaintManagerUI::OnMouseMove(POINT pt, WPARAM wParam) {
    if (!m_bMouseTracking) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_hWndPaint, 0};
        m_bMouseTracking = ::TrackMouseEvent(&track) != FALSE;
    }
    if (m_pEventClick)
        return SendEvent(m_pEventClick, UIEvent::MouseMove, pt, wParam);
    SetHover(FindControl(pt), pt);
    if (m_pEventHover)
        SendEvent(m_pEventHover, UIEvent::MouseMove, pt, wParam);
}

void CPaintManagerUI::OnMouseLeave() {
    m_bMouseTracking = false;
    if (!m_pEventClick)
        SetHover(nullptr, POINT{});
}

void CPaintManagerUI::OnButtonDown(POINT pt, WPARAM wParam) {
    CControlUI* control = FindControl(pt);
    if (!control)
        return;
    SetHover(control, pt);
    ::SetCapture(m_hWndPaint);
    m_pEventClick = control;
    SendEvent(control, UIEvent::ButtonDown, pt, wParam);
}

void CPaintManagerUI::OnButtonUp(POINT pt, WPARAM wParam) {
    CControlUI* control = std::exchange(m_pEventClick, nullptr);
    if (!control)
        return;
    if (::GetCapture() == m_hWndPaint)
        (void)::ReleaseCapture();
    SendEvent(control, UIEvent::ButtonUp, pt, wParam);
    SetHover(FindControl(pt), pt);
}

void CPaintManagerUI::OnCaptureLost() {
    if (CControlUI* control = std::exchange(m_pEventClick, nullptr))
        SendEvent(control, UIEvent::CaptureLost);
}

void CPaintManagerUI::OnKeyDown(WPARAM wParam, LPARAM lParam) {
    if (m_pFocus)
        SendEvent(m_pFocus, UIEvent::KeyDown, POINT{}, wParam, lParam);
}

void CPaintManagerUI::SetHover(CControlUI* pControl, POINT pt) {
    if (pControl == m_pEventHover)
        return;
    CControlUI* old = std::exchange(m_pEventHover, pControl);
    if (old)
        SendEvent(old, UIEvent::MouseLeave, pt);
    if (m_pEventHover)
        SendEvent(m_pEventHover, UIEvent::MouseEnter, pt);
}

void CPaintManagerUI::SendEvent(CControlUI* pControl, UIEvent type, POINT pt, WPARAM wParam,
                                LPARAM lParam) {
    TEventUI event;
    event.Type = type;
    event.pSender = pControl;
    event.dwTimestamp = ::GetTickCount();
    event.ptMouse = pt;
    event.wParam = wParam;
    event.lParam = lParam;
    pControl->DoEvent(event);
}

} // namespace DuiLib
