#include "platform/ui/LabelUI.h"

#include <cwchar>

#include "platform/ui/AttributeTable.h"
#include "platform/ui/PaintManagerUI.h"

namespace DuiLib {

namespace {

constexpr UINT kHorizontalAlign = DT_LEFT | DT_CENTER | DT_RIGHT;
constexpr UINT kVerticalAlign = DT_TOP | DT_VCENTER | DT_BOTTOM;

// The DT_ bit of the first of names that the value equals.
bool ParseAlignment(LPCTSTR value, const wchar_t* const (&names)[3], const UINT (&bits)[3],
                    UINT& align) {
    for (int i = 0; i < 3; ++i) {
        if (std::wcscmp(value, names[i]) == 0) {
            align = bits[i];
            return true;
        }
    }
    return false;
}

bool ParseHorizontalAlign(LPCTSTR value, UINT& align) {
    return ParseAlignment(value, {L"left", L"center", L"right"}, {DT_LEFT, DT_CENTER, DT_RIGHT},
                          align);
}

bool ParseVerticalAlign(LPCTSTR value, UINT& align) {
    return ParseAlignment(value, {L"top", L"center", L"bottom"}, {DT_TOP, DT_VCENTER, DT_BOTTOM},
                          align);
}

constexpr AttributeRow<CLabelUI> kLabelAttributes[] = {
    AttributeRowOf<ParseHorizontalAlign, &CLabelUI::SetHorizontalAlign>(L"align"),
    AttributeRowOf<ParseVerticalAlign, &CLabelUI::SetVerticalAlign>(L"valign"),
    AttributeRowOf<ParseTextAttribute, &CLabelUI::SetFont>(L"font"),
    AttributeRowOf<ParseIntAttribute, &CLabelUI::SetFontSize>(L"fontsize"),
    AttributeRowOf<ParseBoolAttribute, &CLabelUI::SetBold>(L"bold"),
    AttributeRowOf<ParseRectAttribute, &CLabelUI::SetTextPadding>(L"textpadding"),
    AttributeRowOf<ParseColorAttribute, &CLabelUI::SetDisabledTextColor>(L"disabledtextcolor"),
};

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
    if (!ApplyAttributeRow(kLabelAttributes, *this, pstrName, pstrValue))
        CControlUI::SetAttribute(pstrName, pstrValue);
}

void CLabelUI::SetHorizontalAlign(UINT align) {
    m_uTextStyle = (m_uTextStyle & ~kHorizontalAlign) | (align & kHorizontalAlign);
    Invalidate();
}

void CLabelUI::SetVerticalAlign(UINT align) {
    m_uTextStyle = (m_uTextStyle & ~kVerticalAlign) | (align & kVerticalAlign);
    Invalidate();
}

void CLabelUI::SetFont(LPCTSTR font) {
    int index = -1;
    if (ParseIntAttribute(font, index)) {
        m_iFont = index;
        m_sFontName.Empty();
    } else {
        m_iFont = -1;
        m_sFontName = font;
    }
    Invalidate();
}

void CLabelUI::SetFontSize(int size) {
    if (!IsFontSize(size))
        return;
    m_nFontSize = size;
    Invalidate();
}

void CLabelUI::SetBold(bool bold) {
    m_bBold = bold;
    Invalidate();
}

void CLabelUI::SetTextPadding(RECT rc) {
    m_rcTextPadding = rc;
    Invalidate();
}

void CLabelUI::SetDisabledTextColor(DWORD argb) {
    m_dwDisabledTextColor = argb;
    Invalidate();
}

HFONT CLabelUI::GetTextFont() const {
    if (!m_pManager)
        return nullptr;
    if (const TFontInfo* indexed = m_pManager->GetFontInfo(m_iFont))
        return m_pManager->GetFont(*indexed);
    TFontInfo font = m_pManager->GetDefaultFontInfo();
    if (!m_sFontName.IsEmpty())
        font = TFontInfo{m_sFontName, font.iSize};
    if (m_nFontSize > 0)
        font.iSize = m_nFontSize;
    font.bBold = font.bBold || m_bBold;
    return m_pManager->GetFont(font);
}

DWORD CLabelUI::GetCurrentTextColor() const {
    return !IsEnabled() && m_dwDisabledTextColor ? m_dwDisabledTextColor : m_dwTextColor;
}

void CLabelUI::PaintText(HDC hDC) {
    if (m_sText.IsEmpty() || !m_pManager)
        return;
    gs::SelectedObject font(hDC, GetTextFont());
    ::SetBkMode(hDC, TRANSPARENT);
    ::SetTextColor(hDC, ToColorRef(GetCurrentTextColor()));
    CDuiRect rc = m_rcItem;
    rc.Deflate(Scaled(m_rcTextPadding));
    (void)::DrawTextW(hDC, m_sText.GetData(), m_sText.GetLength(), &rc,
                      m_uTextStyle | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

} // namespace DuiLib
