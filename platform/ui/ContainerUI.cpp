#include "platform/ui/ContainerUI.h"

#include <algorithm>
#include <cwchar>
#include <string_view>

#include "platform/ui/PaintManagerUI.h"
#include "platform/ui/UIAttributes.h"

namespace DuiLib {

CContainerUI::~CContainerUI() {
    RemoveAll();
}

LPCTSTR CContainerUI::GetClass() const {
    return L"ContainerUI";
}

LPVOID CContainerUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName && std::wcscmp(pstrName, L"IContainer") == 0)
        return static_cast<IContainerUI*>(this);
    if (pstrName && std::wcscmp(pstrName, L"Container") == 0)
        return static_cast<CContainerUI*>(this);
    return CControlUI::GetInterface(pstrName);
}

CControlUI* CContainerUI::GetItemAt(int iIndex) const {
    if (iIndex < 0 || iIndex >= GetCount())
        return nullptr;
    return m_items[iIndex];
}

int CContainerUI::GetItemIndex(CControlUI* pControl) const {
    auto found = std::find(m_items.begin(), m_items.end(), pControl);
    return found == m_items.end() ? -1 : static_cast<int>(found - m_items.begin());
}

bool CContainerUI::Add(CControlUI* pControl) {
    return AddAt(pControl, GetCount());
}

bool CContainerUI::AddAt(CControlUI* pControl, int iIndex) {
    if (!pControl || pControl == this || GetItemIndex(pControl) >= 0)
        return false;
    if (iIndex < 0 || iIndex > GetCount())
        return false;
    m_items.insert(m_items.begin() + iIndex, pControl);
    pControl->SetInternVisible(IsVisible());
    pControl->SetManager(m_pManager, this, true);
    NeedUpdate();
    return true;
}

bool CContainerUI::Remove(CControlUI* pControl) {
    return RemoveAt(GetItemIndex(pControl));
}

bool CContainerUI::RemoveAt(int iIndex) {
    CControlUI* control = GetItemAt(iIndex);
    if (!control)
        return false;
    m_items.erase(m_items.begin() + iIndex);
    delete control;
    NeedUpdate();
    return true;
}

void CContainerUI::RemoveAll() {
    std::vector<CControlUI*> items;
    items.swap(m_items);
    for (CControlUI* control : items)
        delete control;
    if (!items.empty())
        NeedUpdate();
}

void CContainerUI::SetInset(RECT rc) {
    if (rc.left < 0 || rc.top < 0 || rc.right < 0 || rc.bottom < 0)
        return;
    m_rcInset = rc;
    NeedUpdate();
}

void CContainerUI::SetChildPadding(int padding) {
    if (padding < 0)
        return;
    m_iChildPadding = padding;
    NeedUpdate();
}

void CContainerUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    if (!pstrName || !pstrValue)
        return;
    std::wstring_view name(pstrName);
    RECT rect{};
    int number = 0;
    if (name == L"inset" && ParseRectAttribute(pstrValue, rect))
        SetInset(rect);
    else if (name == L"childpadding" && ParseIntAttribute(pstrValue, number))
        SetChildPadding(number);
    else
        CControlUI::SetAttribute(pstrName, pstrValue);
}

void CContainerUI::SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit) {
    for (CControlUI* control : m_items)
        control->SetManager(pManager, this, false);
    CControlUI::SetManager(pManager, pParent, bInit);
}

void CContainerUI::SetPos(RECT rc) {
    CControlUI::SetPos(rc);
    ArrangeChildren(GetInnerRect());
}

CDuiRect CContainerUI::GetInnerRect() const {
    CDuiRect inner = m_rcItem;
    inner.Deflate(m_rcInset);
    inner.right = std::max(inner.right, inner.left);
    inner.bottom = std::max(inner.bottom, inner.top);
    return inner;
}

void CContainerUI::ArrangeChildren(const CDuiRect& inner) {
    for (CControlUI* control : m_items) {
        if (!control->IsVisible())
            continue;
        CDuiRect rc = inner;
        rc.Deflate(control->GetPadding());
        if (control->GetFixedWidth() > 0)
            rc.right = rc.left + control->GetFixedWidth();
        if (control->GetFixedHeight() > 0)
            rc.bottom = rc.top + control->GetFixedHeight();
        rc.right = std::max(rc.right, rc.left);
        rc.bottom = std::max(rc.bottom, rc.top);
        control->SetPos(rc);
    }
}

void CContainerUI::SetVisible(bool bVisible) {
    CControlUI::SetVisible(bVisible);
    for (CControlUI* control : m_items)
        control->SetInternVisible(IsVisible());
}

void CContainerUI::SetInternVisible(bool bVisible) {
    CControlUI::SetInternVisible(bVisible);
    for (CControlUI* control : m_items)
        control->SetInternVisible(IsVisible());
}

CControlUI* CContainerUI::FindControlAt(POINT pt) {
    if (!CControlUI::FindControlAt(pt))
        return nullptr;
    for (auto it = m_items.rbegin(); it != m_items.rend(); ++it) {
        if (CControlUI* found = (*it)->FindControlAt(pt))
            return found;
    }
    return this;
}

CControlUI* CContainerUI::FindInTree(const std::function<bool(CControlUI&)>& match) {
    if (match(*this))
        return this;
    for (CControlUI* control : m_items) {
        if (CControlUI* found = control->FindInTree(match))
            return found;
    }
    return nullptr;
}

void CContainerUI::PaintChildren(HDC hDC, const RECT& visible) {
    for (CControlUI* control : m_items) {
        if (control->IsVisible())
            control->DoPaint(hDC, visible);
    }
}

} // namespace DuiLib
