#pragma once
// A window whose messages all reach the virtual HandleMessage of one C++ object.
//
// The object arrives with WM_NCCREATE (in lpCreateParams) and is kept in GWLP_USERDATA;
// after WM_NCDESTROY the link is dropped and OnFinalMessage runs, the place where an
// object that owns itself may delete itself.
#include "platform/ui/UIDefs.h"

namespace DuiLib {

class CWindowWnd {
public:
    CWindowWnd() = default;
    CWindowWnd(const CWindowWnd&) = delete;
    CWindowWnd& operator=(const CWindowWnd&) = delete;

    HWND GetHWND() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // Registers the class (or superclass) and creates the window; null on failure.
    HWND Create(HWND hwndParent, LPCTSTR pstrName, DWORD dwStyle, DWORD dwExStyle,
                int x = CW_USEDEFAULT, int y = CW_USEDEFAULT, int cx = CW_USEDEFAULT,
                int cy = CW_USEDEFAULT, HMENU hMenu = nullptr);
    // Centres the window over its owner, or over the work area of its monitor.
    void CenterWindow();
    void ShowWindow(bool bShow = true, bool bTakeFocus = true);
    LRESULT SendMessage(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0);
    LRESULT PostMessage(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0);

    virtual LPCTSTR GetWindowClassName() const = 0;
    // A system class to build on (its window procedure then does the default
    // processing), or null for a class of our own.
    virtual LPCTSTR GetSuperClassName() const;
    virtual UINT GetClassStyle() const;
    virtual LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam);
    virtual void OnFinalMessage(HWND hWnd);

    // A window still open when its object goes is destroyed without reaching it.
    virtual ~CWindowWnd();

protected:
    HWND m_hWnd = nullptr;

private:
    bool RegisterWindowClass();
    bool RegisterSuperclass();
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

    WNDPROC m_OldWndProc = ::DefWindowProcW;
};

} // namespace DuiLib
