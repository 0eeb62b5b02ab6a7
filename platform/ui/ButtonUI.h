#pragma once
// A label that reacts to the mouse: hot while the pointer is over it, pushed while the
// left button is held on it, and "click" when the button is released over it (or on
// Space or Enter while it has the focus).
#include "platform/ui/LabelUI.h"

namespace DuiLib {

class CButtonUI : public CLabelUI {
public:
    LPCTSTR GetClass() const override;
    LPVOID GetInterface(LPCTSTR pstrName) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    void DoEvent(TEventUI& event) override;
    void SetEnabled(bool bEnabled = true) override;

    // Colours while hot (the pointer over it) and pushed; 0 keeps the normal colour.
    void SetHotBkColor(DWORD argb) { SetStateColor(m_dwHotBkColor, argb); }
    void SetPushedBkColor(DWORD argb) { SetStateColor(m_dwPushedBkColor, argb); }
    void SetHotTextColor(DWORD argb) { SetStateColor(m_dwHotTextColor, argb); }
    void SetPushedTextColor(DWORD argb) { SetStateColor(m_dwPushedTextColor, argb); }
    // The image values of each state; a state without one shows the normal image.
    void SetNormalImage(LPCTSTR value) { SetImage(m_stateImages[Normal], value); }
    void SetHotImage(LPCTSTR value) { SetImage(m_stateImages[Hot], value); }
    void SetPushedImage(LPCTSTR value) { SetImage(m_stateImages[Pushed], value); }
    void SetFocusedImage(LPCTSTR value) { SetImage(m_stateImages[Focused], value); }
    void SetDisabledImage(LPCTSTR value) { SetImage(m_stateImages[Disabled], value); }

    bool IsHot() const { return m_bHot; }
    bool IsPushed() const { return m_bPushed; }
    // Sends "click" from this button.
    virtual void Activate();

protected:
    void PaintBkColor(HDC hDC) override;
    void PaintStatusImage(HDC hDC) override;
    DWORD GetCurrentTextColor() const override;

    DWORD m_dwHotBkColor = 0;
    DWORD m_dwPushedBkColor = 0;
    DWORD m_dwHotTextColor = 0;
    DWORD m_dwPushedTextColor = 0;
    enum StateImage { Normal, Hot, Pushed, Focused, Disabled, StateImages };
    std::optional<ImageValue> m_stateImages[StateImages];

private:
    void SetStateColor(DWORD& color, DWORD argb);
    void SetState(bool hot, bool pushed);
    // The state whose image shows now; one without an image shows the normal one.
    StateImage CurrentState() const;
    // Of the three colours, the one for the current state, falling back to normal.
    DWORD StateColor(DWORD normal, DWORD hot, DWORD pushed) const;

    bool m_bHot = false;
    bool m_bPushed = false;
};

} // namespace DuiLib
