#include "platform/ui/ButtonUI.h"

#include <cwchar>

#include "platform/ui/AttributeTable.h"
#include "platform/ui/PaintManagerUI.h"

namespace DuiLib {

namespace {

constexpr AttributeRow<CButtonUI> kButtonAttributes[] = {
    AttributeRowOf<ParseColorAttribute, &CButtonUI::SetHotBkColor>(L"hotbkcolor"),
    AttributeRowOf<ParseColorAttribute, &CButtonUI::SetPushedBkColor>(L"pushedbkcolor"),
    AttributeRowOf<ParseColorAttribute, &CButtonUI::SetHotTextColor>(L"hottextcolor"),
    AttributeRowOf<ParseColorAttribute, &CButtonUI::SetPushedTextColor>(L"pushedtextcolor"),
    AttributeRowOf<ParseTextAttribute, &CButtonUI::SetNormalImage>(L"normalimage"),
    AttributeRowOf<ParseTextAttribute, &CButtonUI::SetHotImage>(L"hotimage"),
    AttributeRowOf<ParseTextAttribute, &CButtonUI::SetPushedImage>(L"pushedimage"),
    AttributeRowOf<ParseTextAttribute, &CButtonUI::SetFocusedImage>(L"focusedimage"),
    AttributeRowOf<ParseTextAttribute, &CButtonUI::SetDisabledImage>(L"disabledimage"),
};

} // namespace

LPCTSTR CButtonUI::GetClass() const {
    return L"ButtonUI";
}

LPVOID CButtonUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName && std::wcscmp(pstrName, L"Button") == 0)
        return this;
    return CLabelUI::GetInterface(pstrName);
}

void CButtonUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    if (!ApplyAttributeRow(kButtonAttributes, *this, pstrName, pstrValue))
        CLabelUI::SetAttribute(pstrName, pstrValue);
}

void CButtonUI::SetStateColor(DWORD& color, DWORD argb) {
    color = argb;
    Invalidate();
}

void CButtonUI::DoEvent(TEventUI& event) {
    if (!IsEnabled() && event.Type != UIEvent::SetFocus && event.Type != UIEvent::KillFocus)
        return;
    switch (event.Type) {
    case UIEvent::MouseEnter:
        return SetState(true, m_bPushed);
    case UIEvent::MouseLeave:
        return SetState(false, m_bPushed);
    case UIEvent::ButtonDown:
        return SetState(true, true);
    case UIEvent::MouseMove:
        return SetState(m_rcItem.Contains(event.ptMouse), m_bPushed);
    case UIEvent::ButtonUp: {
        bool clicked = m_bPushed && m_rcItem.Contains(event.ptMouse);
        SetState(m_rcItem.Contains(event.ptMouse), false);
        if (clicked)
            Activate(); // last: a notifier may delete this button
        return;
    }
    case UIEvent::CaptureLost:
        return SetState(false, false);
    case UIEvent::KeyDown:
        if (event.wParam == VK_SPACE || event.wParam == VK_RETURN)
            Activate();
        return;
    default:
        return CLabelUI::DoEvent(event);
    }
}

void CButtonUI::SetEnabled(bool bEnabled) {
    if (!bEnabled)
        SetState(false, false);
    CLabelUI::SetEnabled(bEnabled);
}

void CButtonUI::Activate() {
    if (m_pManager && IsVisible() && IsEnabled())
        m_pManager->SendNotify(this, L"click");
}

void CButtonUI::SetState(bool hot, bool pushed) {
    if (hot == m_bHot && pushed == m_bPushed)
        return;
    m_bHot = hot;
    m_bPushed = pushed;
    Invalidate();
}

DWORD CButtonUI::StateColor(DWORD normal, DWORD hot, DWORD pushed) const {
    if (m_bPushed && m_bHot && pushed)
        return pushed;
    if (m_bHot && hot)
        return hot;
    return normal;
}

CButtonUI::StateImage CButtonUI::CurrentState() const {
    const StateImage state = !IsEnabled()          ? Disabled
                             : m_bPushed && m_bHot ? Pushed
                             : m_bHot              ? Hot
                             : IsFocused()         ? Focused
                                                   : Normal;
    return m_stateImages[state] ? state : Normal;
}

void CButtonUI::PaintStatusImage(HDC hDC) {
    DrawImage(hDC, m_stateImages[CurrentState()]);
}

void CButtonUI::PaintBkColor(HDC hDC) {
    PaintColor(hDC, StateColor(m_dwBackColor, m_dwHotBkColor, m_dwPushedBkColor));
}

DWORD CButtonUI::GetCurrentTextColor() const {
    if (!IsEnabled())
        return CLabelUI::GetCurrentTextColor();
    return StateColor(m_dwTextColor, m_dwHotTextColor, m_dwPushedTextColor);
}

} // namespace DuiLib
