#pragma once
// The base of every skin control: a rectangle laid out by its parent, a few common
// attributes, painting of background, text and border, and input events.
#include <functional>
#include <optional>

#include "platform/ui/ImageValue.h"
#include "platform/ui/UIDefs.h"

namespace DuiLib {

class CPaintManagerUI;

class CControlUI {
public:
    CControlUI();
    CControlUI(const CControlUI&) = delete;
    CControlUI& operator=(const CControlUI&) = delete;
    virtual ~CControlUI();

    virtual LPCTSTR GetClass() const;
    // "Control" for every control; subclasses answer their own names too.
    virtual LPVOID GetInterface(LPCTSTR pstrName);

    const CDuiString& GetName() const { return m_sName; }
    void SetName(LPCTSTR pstrName) { m_sName = pstrName; }
    const CDuiString& GetText() const { return m_sText; }
    virtual void SetText(LPCTSTR pstrText);

    CPaintManagerUI* GetManager() const { return m_pManager; }
    CControlUI* GetParent() const { return m_pParent; }
    // Binds the control (and a container's children) to a manager; with init, and once
    // the manager's window has been initialised, the control's DoInit runs.
    virtual void SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit = true);
    // Called once, inside the message loop, after the window was shown with its skin.
    virtual void DoInit() {}

    // Layout: the rectangle in client coordinates that the parent gives the control.
    const CDuiRect& GetPos() const { return m_rcItem; }
    virtual void SetPos(RECT rc);
    int GetWidth() const { return m_rcItem.GetWidth(); }
    int GetHeight() const { return m_rcItem.GetHeight(); }
    // The skin's lengths are 96-DPI pixels; their getters answer them at the manager's DPI.
    // Fixed sizes asked for by the skin; 0 lets the layout stretch the control.
    int GetFixedWidth() const { return Scaled(m_cxyFixed.cx); }
    int GetFixedHeight() const { return Scaled(m_cxyFixed.cy); }
    void SetFixedWidth(int cx);
    void SetFixedHeight(int cy);
    // Margins around the control inside its parent's layout.
    CDuiRect GetPadding() const { return Scaled(m_rcPadding); }
    void SetPadding(RECT rc);

    // A floating control takes no room in its parent's line: it sits at its pos offsets
    // (left, top, right, bottom) from the parent's top-left corner.
    bool IsFloat() const { return m_bFloat; }
    void SetFloat(bool floating);
    CDuiRect GetFloatPos() const { return Scaled(m_rcFloatPos); }
    void SetFloatPos(RECT offsets);

    DWORD GetBkColor() const { return m_dwBackColor; }
    void SetBkColor(DWORD argb);
    DWORD GetBorderColor() const { return m_dwBorderColor; }
    void SetBorderColor(DWORD argb);
    int GetBorderSize() const { return Scaled(m_nBorderSize); }
    void SetBorderSize(int size);
    DWORD GetTextColor() const { return m_dwTextColor; }
    void SetTextColor(DWORD argb);
    // Image values (ImageValue.h); one that does not read leaves no image.
    void SetBkImage(LPCTSTR value) { SetImage(m_bkImage, value); }
    void SetForeImage(LPCTSTR value) { SetImage(m_foreImage, value); }

    // Visible when the control itself and every parent are.
    bool IsVisible() const { return m_bVisible && m_bInternVisible; }
    virtual void SetVisible(bool bVisible = true);
    // A parent's visibility changed.
    virtual void SetInternVisible(bool bVisible = true);

    // A disabled control takes no clicks and shows its disabled look.
    bool IsEnabled() const { return m_bEnabled; }
    virtual void SetEnabled(bool bEnabled = true);

    bool IsFocused() const { return m_bFocused; }
    virtual void SetFocus();
    // Called by the manager when the focus arrives or leaves.
    void SetFocusState(bool focused) { m_bFocused = focused; }

    // Unknown names and unreadable values are ignored.
    virtual void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue);

    // The deepest visible control at pt (client coordinates), or null.
    virtual CControlUI* FindControlAt(POINT pt);
    // The first control of this subtree, in document order, for which match is true.
    virtual CControlUI* FindInTree(const std::function<bool(CControlUI&)>& match);

    virtual void DoEvent(TEventUI& event);
    virtual void DoPaint(HDC hDC, const RECT& rcPaint);

    void Invalidate();
    // The layout of the parent (so of this control too) must be redone.
    void NeedParentUpdate();
    void NeedUpdate();

protected:
    // A skin length at the manager's DPI; as written while the control has no manager.
    int Scaled(int length) const;
    CDuiRect Scaled(const RECT& rc) const;

    virtual void PaintBkColor(HDC hDC);
    void PaintBkImage(HDC hDC) { DrawImage(hDC, m_bkImage); }
    // The image of the control's state, between the background and the fore image.
    virtual void PaintStatusImage(HDC) {}
    void PaintForeImage(HDC hDC) { DrawImage(hDC, m_foreImage); }
    virtual void PaintText(HDC hDC);
    virtual void PaintBorder(HDC hDC);
    // Between the text and the border; a container paints its children here.
    virtual void PaintChildren(HDC hDC, const RECT& visible);
    // Fills the control's rectangle; a colour whose alpha is 0 paints nothing.
    void PaintColor(HDC hDC, DWORD argb);
    void DrawImage(HDC hDC, const std::optional<ImageValue>& image);
    // Reads an image value into `image`; a value that does not read leaves no image.
    void SetImage(std::optional<ImageValue>& image, LPCTSTR pstrValue);

    CPaintManagerUI* m_pManager = nullptr; // not owned
    CControlUI* m_pParent = nullptr;       // not owned: the parent owns this control
    CDuiString m_sName;
    CDuiString m_sText;
    CDuiRect m_rcItem;
    CDuiRect m_rcPadding;
    CSize m_cxyFixed;
    CDuiRect m_rcFloatPos;
    DWORD m_dwBackColor = 0;
    DWORD m_dwBorderColor = 0;
    DWORD m_dwTextColor = 0xFF000000;
    int m_nBorderSize = 0;
    std::optional<ImageValue> m_bkImage;
    std::optional<ImageValue> m_foreImage;
    bool m_bEnabled = true;
    bool m_bVisible = true;
    bool m_bInternVisible = true;
    bool m_bFocused = false;
    bool m_bFloat = false;

private:
    friend class CPaintManagerUI;
    bool m_bInitDone = false; // DoInit has run
};

} // namespace DuiLib
