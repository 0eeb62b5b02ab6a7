#include "platform/ui/ContainerUI.h"

#include <algorithm>
#include <cwchar>

#include "platform/ui/AttributeTable.h"
#include "platform/ui/PaintManagerUI.h"

namespace DuiLib {

namespace {

constexpr AttributeRow<CContainerUI> kContainerAttributes[] = {
    AttributeRowOf<ParseRectAttribute, &CContainerUI::SetInset>(L"inset"),
    AttributeRowOf<ParseIntAttribute, &CContainerUI::SetChildPadding>(L"childpadding"),
};

} // namespace

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
    return m_items[iIndex].get();
}

int CContainerUI::GetItemIndex(CControlUI* pControl) const {
    auto found = std::find_if(m_items.begin(), m_items.end(),
                              [pControl](const auto& item) { return item.get() == pControl; });
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
    // The slot first: should it throw, the caller still owns the control.
    m_items.insert(m_items.begin() + iIndex, nullptr)->reset(pControl);
    pControl->SetInternVisible(IsVisible());
    pControl->SetManager(m_pManager, this, true);
    NeedUpdate();
    return true;
}

bool CContainerUI::Remove(CControlUI* pControl) {
    return RemoveAt(GetItemIndex(pControl));
}

bool CContainerUI::RemoveAt(int iIndex) {
    if (!GetItemAt(iIndex))
        return false;
    // Out of the list before it goes, so that its destructor finds it gone.
    std::unique_ptr<CControlUI> control = std::move(m_items[iIndex]);
    m_items.erase(m_items.begin() + iIndex);
    control.reset();
    NeedUpdate();
    return true;
}

void CContainerUI::RemoveAll() {
    std::vector<std::unique_ptr<CControlUI>> items;
    items.swap(m_items);
    bool hadItems = !items.empty();
    items.clear();
    if (hadItems)
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
    if (!ApplyAttributeRow(kContainerAttributes, *this, pstrName, pstrValue))
        CControlUI::SetAttribute(pstrName, pstrValue);
}

void CContainerUI::SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit) {
    for (const auto& control : m_items)
        control->SetManager(pManager, this, false);
    CControlUI::SetManager(pManager, pParent, bInit);
}

void CContainerUI::SetPos(RECT rc) {
    CControlUI::SetPos(rc);
    ArrangeChildren(GetInnerRect());
    PlaceFloatingChildren();
}

void CContainerUI::PlaceFloatingChildren() {
    for (const auto& control : m_items) {
        if (!control->IsVisible() || !control->IsFloat())
            continue;
        CDuiRect rc = control->GetFloatPos();
        rc.right = std::max(rc.right, rc.left);
        rc.bottom = std::max(rc.bottom, rc.top);
        rc.Offset(m_rcItem.left, m_rcItem.top);
        control->SetPos(rc);
    }
}

CDuiRect CContainerUI::GetInnerRect() const {
    CDuiRect inner = m_rcItem;
    inner.Deflate(GetInset());
    inner.right = std::max(inner.right, inner.left);
    inner.bottom = std::max(inner.bottom, inner.top);
    return inner;
}

void CContainerUI::ArrangeChildren(const CDuiRect& inner) {
    for (const auto& control : m_items) {
        if (!control->IsVisible() || control->IsFloat())
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
    for (const auto& control : m_items)
        control->SetInternVisible(IsVisible());
}

void CContainerUI::SetInternVisible(bool bVisible) {
    CControlUI::SetInternVisible(bVisible);
    for (const auto& control : m_items)
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
    for (const auto& control : m_items) {
        if (CControlUI* found = control->FindInTree(match))
            return found;
    }
    return nullptr;
}

void CContainerUI::PaintChildren(HDC hDC, const RECT& visible) {
    for (const auto& control : m_items) {
        if (control->IsVisible())
            control->DoPaint(hDC, visible);
    }
}

} // namespace DuiLib
