#pragma once
// A control that shows one line of text in a font of its own size and weight.
#include "platform/ui/ControlUI.h"

namespace DuiLib {

class CLabelUI : public CControlUI {
public:
    LPCTSTR GetClass() const override;
    LPVOID GetInterface(LPCTSTR pstrName) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;

    // DT_LEFT / DT_CENTER / DT_RIGHT with DT_TOP / DT_VCENTER / DT_BOTTOM.
    UINT GetTextStyle() const { return m_uTextStyle; }
    // One of the DT_ bits of each kind replaces that kind's bit in the style.
    void SetHorizontalAlign(UINT align);
    void SetVerticalAlign(UINT align);
    // A number is an index into the window's fonts; other text is a face name.
    void SetFont(LPCTSTR font);
    const CDuiString& GetFontName() const { return m_sFontName; }
    // Character height in pixels (1 to 1000); 0 takes the window's default.
    int GetFontSize() const { return m_nFontSize; }
    void SetFontSize(int size);
    bool IsBold() const { return m_bBold; }
    void SetBold(bool bold);
    void SetTextPadding(RECT rc);
    void SetDisabledTextColor(DWORD argb);
    // The font the text is drawn in: the window font of the index, else the face, size
    // and weight of the label over the window's default font. Null without a manager.
    HFONT GetTextFont() const;

protected:
    void PaintText(HDC hDC) override;
    // The colour the text is drawn in now (a button changes it with its state).
    virtual DWORD GetCurrentTextColor() const;

    UINT m_uTextStyle = DT_CENTER | DT_VCENTER;
    CDuiString m_sFontName;
    int m_iFont = -1;
    int m_nFontSize = 0;
    bool m_bBold = false;
    DWORD m_dwDisabledTextColor = 0; // none: a disabled label keeps its colour
    CDuiRect m_rcTextPadding;
};

} // namespace DuiLib
