#include "platform/ui/ControlUI.h"

#include <algorithm>
#include <cwchar>

#include "platform/ui/AttributeTable.h"
#include "platform/ui/PaintManagerUI.h"

namespace DuiLib {

namespace {

// Sizes and margins beyond this are refused, so layout sums cannot overflow.
constexpr int kMaxExtent = 1 << 20;

bool IsExtent(int value) {
    return value >= 0 && value <= kMaxExtent;
}

// Offsets of a floating control may be negative: it may stick out of its parent.
bool IsOffset(LONG value) {
    return value >= -kMaxExtent && value <= kMaxExtent;
}

bool IsMargins(const RECT& rc) {
    return IsExtent(rc.left) && IsExtent(rc.top) && IsExtent(rc.right) && IsExtent(rc.bottom);
}

} // namespace

CControlUI::CControlUI() = default;

CControlUI::~CControlUI() {
    if (m_pManager)
        m_pManager->ReapObjects(this);
}

LPCTSTR CControlUI::GetClass() const {
    return L"ControlUI";
}

LPVOID CControlUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName && std::wcscmp(pstrName, L"Control") == 0)
        return this;
    return nullptr;
}

void CControlUI::SetText(LPCTSTR pstrText) {
    m_sText = pstrText;
    Invalidate();
}

void CControlUI::SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit) {
    m_pManager = pManager;
    m_pParent = pParent;
    if (bInit && m_pManager)
        m_pManager->InitControls(this);
}

int CControlUI::Scaled(int length) const {
    return m_pManager ? m_pManager->Scale(length) : length;
}

CDuiRect CControlUI::Scaled(const RECT& rc) const {
    return m_pManager ? CDuiRect(m_pManager->Scale(rc)) : CDuiRect(rc);
}

void CControlUI::SetPos(RECT rc) {
    Invalidate();
    m_rcItem = rc;
    Invalidate();
}

void CControlUI::SetFixedWidth(int cx) {
    if (!IsExtent(cx))
        return;
    m_cxyFixed.cx = cx;
    NeedParentUpdate();
}

void CControlUI::SetFixedHeight(int cy) {
    if (!IsExtent(cy))
        return;
    m_cxyFixed.cy = cy;
    NeedParentUpdate();
}

void CControlUI::SetPadding(RECT rc) {
    if (!IsMargins(rc))
        return;
    m_rcPadding = rc;
    NeedParentUpdate();
}

void CControlUI::SetFloat(bool floating) {
    m_bFloat = floating;
    NeedParentUpdate();
}

void CControlUI::SetFloatPos(RECT offsets) {
    if (!IsOffset(offsets.left) || !IsOffset(offsets.top) || !IsOffset(offsets.right) ||
        !IsOffset(offsets.bottom))
        return;
    m_rcFloatPos = offsets;
    NeedParentUpdate();
}

void CControlUI::SetBkColor(DWORD argb) {
    m_dwBackColor = argb;
    Invalidate();
}

void CControlUI::SetBorderColor(DWORD argb) {
    m_dwBorderColor = argb;
    Invalidate();
}

void CControlUI::SetBorderSize(int size) {
    if (!IsExtent(size))
        return;
    m_nBorderSize = size;
    Invalidate();
}

void CControlUI::SetTextColor(DWORD argb) {
    m_dwTextColor = argb;
    Invalidate();
}

void CControlUI::SetVisible(bool bVisible) {
    if (m_bVisible == bVisible)
        return;
    bool wasVisible = IsVisible();
    m_bVisible = bVisible;
    if (!IsVisible() && m_bFocused && m_pManager)
        m_pManager->SetFocus(nullptr);
    if (wasVisible != IsVisible())
        NeedParentUpdate();
}

void CControlUI::SetInternVisible(bool bVisible) {
    m_bInternVisible = bVisible;
    if (!IsVisible() && m_bFocused && m_pManager)
        m_pManager->SetFocus(nullptr);
}

void CControlUI::SetEnabled(bool bEnabled) {
    if (m_bEnabled == bEnabled)
        return;
    m_bEnabled = bEnabled;
    Invalidate();
}

void CControlUI::SetFocus() {
    if (m_pManager)
        m_pManager->SetFocus(this);
}

// The attributes every control reads; a further attribute of every control is one more row.
constexpr AttributeRow<CControlUI> kControlAttributes[] = {
    AttributeRowOf<ParseTextAttribute, &CControlUI::SetName>(L"name"),
    AttributeRowOf<ParseTextAttribute, &CControlUI::SetText>(L"text"),
    AttributeRowOf<ParseIntAttribute, &CControlUI::SetFixedWidth>(L"width"),
    AttributeRowOf<ParseIntAttribute, &CControlUI::SetFixedHeight>(L"height"),
    AttributeRowOf<ParseRectAttribute, &CControlUI::SetPadding>(L"padding"),
    AttributeRowOf<ParseColorAttribute, &CControlUI::SetBkColor>(L"bkcolor"),
    AttributeRowOf<ParseColorAttribute, &CControlUI::SetBorderColor>(L"bordercolor"),
    AttributeRowOf<ParseIntAttribute, &CControlUI::SetBorderSize>(L"bordersize"),
    AttributeRowOf<ParseColorAttribute, &CControlUI::SetTextColor>(L"textcolor"),
    AttributeRowOf<ParseBoolAttribute, &CControlUI::SetVisible>(L"visible"),
    AttributeRowOf<ParseBoolAttribute, &CControlUI::SetEnabled>(L"enabled"),
    AttributeRowOf<ParseTextAttribute, &CControlUI::SetBkImage>(L"bkimage"),
    AttributeRowOf<ParseTextAttribute, &CControlUI::SetForeImage>(L"foreimage"),
    AttributeRowOf<ParseBoolAttribute, &CControlUI::SetFloat>(L"float"),
    AttributeRowOf<ParseRectAttribute, &CControlUI::SetFloatPos>(L"pos"),
};

void CControlUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    (void)ApplyAttributeRow(kControlAttributes, *this, pstrName, pstrValue); // unknown: ignored
}

CControlUI* CControlUI::FindControlAt(POINT pt) {
    return IsVisible() && m_rcItem.Contains(pt) ? this : nullptr;
}

CControlUI* CControlUI::FindInTree(const std::function<bool(CControlUI&)>& match) {
    return match(*this) ? this : nullptr;
}

void CControlUI::DoEvent(TEventUI& event) {
    if (event.Type == UIEvent::SetFocus)
        SetFocusState(true);
    else if (event.Type == UIEvent::KillFocus)
        SetFocusState(false);
}

void CControlUI::DoPaint(HDC hDC, const RECT& rcPaint) {
    RECT visible{};
    if (!::IntersectRect(&visible, &rcPaint, &m_rcItem))
        return;
    int saved = ::SaveDC(hDC);
    (void)::IntersectClipRect(hDC, visible.left, visible.top, visible.right, visible.bottom);
    PaintBkColor(hDC);
    PaintBkImage(hDC);
    PaintStatusImage(hDC);
    PaintForeImage(hDC);
    PaintText(hDC);
    PaintChildren(hDC, visible);
    PaintBorder(hDC);
    (void)::RestoreDC(hDC, saved);
}

void CControlUI::PaintChildren(HDC, const RECT&) {}

void CControlUI::PaintBkColor(HDC hDC) {
    PaintColor(hDC, m_dwBackColor);
}

void CControlUI::PaintColor(HDC hDC, DWORD argb) {
    if (argb >> 24 == 0 || !m_pManager)
        return;
    (void)::FillRect(hDC, &m_rcItem, m_pManager->GetBrush(argb));
}

void CControlUI::DrawImage(HDC hDC, const std::optional<ImageValue>& image) {
    if (image && m_pManager)
        m_pManager->DrawImage(hDC, m_rcItem, *image);
}

void CControlUI::SetImage(std::optional<ImageValue>& image, LPCTSTR pstrValue) {
    ImageValue read;
    if (ParseImageValue(pstrValue, read))
        image = std::move(read);
    else
        image.reset();
    Invalidate();
}

void CControlUI::PaintText(HDC) {}

void CControlUI::PaintBorder(HDC hDC) {
    const int border = GetBorderSize();
    if (border <= 0 || m_dwBorderColor >> 24 == 0 || !m_pManager)
        return;
    HBRUSH brush = m_pManager->GetBrush(m_dwBorderColor);
    int size = std::min({border, (GetWidth() + 1) / 2, (GetHeight() + 1) / 2});
    const CDuiRect& rc = m_rcItem;
    RECT edges[] = {{rc.left, rc.top, rc.right, rc.top + size},
                    {rc.left, rc.bottom - size, rc.right, rc.bottom},
                    {rc.left, rc.top, rc.left + size, rc.bottom},
                    {rc.right - size, rc.top, rc.right, rc.bottom}};
    for (const RECT& edge : edges)
        (void)::FillRect(hDC, &edge, brush);
}

void CControlUI::Invalidate() {
    if (m_pManager)
        m_pManager->Invalidate(m_rcItem);
}

void CControlUI::NeedParentUpdate() {
    if (m_pParent)
        m_pParent->NeedUpdate();
    else
        NeedUpdate();
}

void CControlUI::NeedUpdate() {
    if (m_pManager)
        m_pManager->NeedUpdate();
}

} // namespace DuiLib
