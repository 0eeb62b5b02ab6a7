#include "platform/ui/LabelUI.h"

#include <cwchar>
#include <string_view>

#include "platform/ui/PaintManagerUI.h"
#include "platform/ui/UIAttributes.h"

namespace DuiLib {

namespace {

constexpr UINT kHorizontalAlign = DT_LEFT | DT_CENTER | DT_RIGHT;
constexpr UINT kVerticalAlign = DT_TOP | DT_VCENTER | DT_BOTTOM;

void ParseAlign(std::wstring_view value, UINT& style) {
    if (value == L"left")
        style = (style & ~kHorizontalAlign) | DT_LEFT;
    else if (value == L"center")
        style = (style & ~kHorizontalAlign) | DT_CENTER;
    else if (value == L"right")
        style = (style & ~kHorizontalAlign) | DT_RIGHT;
}

void ParseVAlign(std::wstring_view value, UINT& style) {
    if (value == L"top")
        style = (style & ~kVerticalAlign) | DT_TOP;
    else if (value == L"center")
        style = (style & ~kVerticalAlign) | DT_VCENTER;
    else if (value == L"bottom")
        style = (style & ~kVerticalAlign) | DT_BOTTOM;
}

} // namespace

LPCTSTR CLabelUI::GetClass() const {
    return L"LabelUI";
}

LPVOID CLabelUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName && std::wcscmp(pstrName, L"Label") == 0)
        return this;
    return CControlUI::GetInterface(pstrName);
}

void CLabelUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    if (!pstrName || !pstrValue)
        return;
    std::wstring_view name(pstrName);
    int number = 0;
    RECT rect{};
    if (name == L"align")
        ParseAlign(pstrValue, m_uTextStyle);
    else if (name == L"valign")
        ParseVAlign(pstrValue, m_uTextStyle);
    else if (name == L"font")
        m_sFontName = pstrValue;
    else if (name == L"fontsize" && ParseIntAttribute(pstrValue, number) && number > 0 &&
             number <= 1000)
        m_nFontSize = number;
    else if (name == L"bold")
        ParseBoolAttribute(pstrValue, m_bBold);
    else if (name == L"textpadding" && ParseRectAttribute(pstrValue, rect))
        m_rcTextPadding = rect;
    else if (name == L"disabledtextcolor")
        ParseColorAttribute(pstrValue, m_dwDisabledTextColor);
    else
        CControlUI::SetAttribute(pstrName, pstrValue);
}

DWORD CLabelUI::GetCurrentTextColor() const {
    return !IsEnabled() && m_dwDisabledTextColor ? m_dwDisabledTextColor : m_dwTextColor;
}

void CLabelUI::PaintText(HDC hDC) {
    if (m_sText.IsEmpty() || !m_pManager)
        return;
    LPCTSTR face =
        m_sFontName.IsEmpty() ? m_pManager->GetDefaultFontName().GetData() : m_sFontName.GetData();
    int size = m_nFontSize > 0 ? m_nFontSize : m_pManager->GetDefaultFontSize();
    gs::SelectedObject font(hDC, m_pManager->GetFont(face, size, m_bBold));
    ::SetBkMode(hDC, TRANSPARENT);
    ::SetTextColor(hDC, ToColorRef(GetCurrentTextColor()));
    CDuiRect rc = m_rcItem;
    rc.Deflate(m_rcTextPadding);
    ::DrawTextW(hDC, m_sText.GetData(), m_sText.GetLength(), &rc,
                m_uTextStyle | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

} // namespace DuiLib
