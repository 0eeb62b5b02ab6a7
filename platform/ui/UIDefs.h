#pragma once
// Value types and small interfaces shared by the windows, the paint manager, the skin
// builder and the controls.
#include <windows.h>

#include "platform/ui/DuiString.h"

namespace DuiLib {

class CControlUI;

// The manager posts this to its own window once the window is first shown with a skin,
// and sends "windowinit" and initialises the controls when the message comes back. A
// posted message, not a timer: the main frame consumes every WM_TIMER of its window.
constexpr UINT UIMSG_WINDOWINIT = WM_APP + 0x0101;

class CDuiRect : public RECT {
public:
    CDuiRect() : RECT{0, 0, 0, 0} {}
    CDuiRect(const RECT& rc) : RECT(rc) {}
    CDuiRect(LONG l, LONG t, LONG r, LONG b) : RECT{l, t, r, b} {}

    int GetWidth() const { return right - left; }
    int GetHeight() const { return bottom - top; }
    bool IsNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(POINT pt) const {
        return pt.x >= left && pt.x < right && pt.y >= top && pt.y < bottom;
    }
    void Offset(int cx, int cy) {
        left += cx;
        right += cx;
        top += cy;
        bottom += cy;
    }
    // Shrinks the rectangle by margins given as a rectangle of four widths.
    void Deflate(const RECT& margins) {
        left += margins.left;
        top += margins.top;
        right -= margins.right;
        bottom -= margins.bottom;
    }
    bool operator==(const CDuiRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

class CSize : public SIZE {
public:
    CSize() : SIZE{0, 0} {}
    CSize(const SIZE& size) : SIZE(size) {}
    CSize(LONG x, LONG y) : SIZE{x, y} {}
};

// A font as a skin names it: an empty face takes the window's fallback face.
struct TFontInfo {
    CDuiString sFontName;
    int iSize = 14; // character height in pixels
    bool bBold = false;
    bool bUnderline = false;
    bool bItalic = false;
};

// One notification from the paint manager to its notifiers.
struct TNotifyUI {
    CDuiString sType;
    CControlUI* pSender = nullptr; // not owned: belongs to the control tree
    DWORD dwTimestamp = 0;
    POINT ptMouse{};
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class INotifyUI {
public:
    virtual void Notify(TNotifyUI& msg) = 0;

protected:
    ~INotifyUI() = default;
};

// Asked by the skin builder for every class name it does not know itself; null skips
// the element and its children.
class IDialogBuilderCallback {
public:
    virtual CControlUI* CreateControl(LPCTSTR pstrClass) = 0;

protected:
    ~IDialogBuilderCallback() = default;
};

// A skin named either by a file name (relative to the resource path) or by a resource id.
class STRINGorID {
public:
    STRINGorID(LPCTSTR name) : m_lpstr(name) {}
    STRINGorID(UINT id) : m_lpstr(MAKEINTRESOURCE(id)) {}
    LPCTSTR m_lpstr;
};

// Input events the paint manager hands to a control's DoEvent.
enum class UIEvent {
    MouseEnter,
    MouseLeave,
    MouseMove,
    ButtonDown,
    ButtonUp,
    CaptureLost, // the press ended elsewhere: no click
    SetFocus,
    KillFocus,
    KeyDown,
};

struct TEventUI {
    UIEvent Type = UIEvent::MouseMove;
    CControlUI* pSender = nullptr;
    DWORD dwTimestamp = 0;
    POINT ptMouse{};
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

} // namespace DuiLib
