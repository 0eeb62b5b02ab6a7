#pragma once
// The paint manager of one window: owns the skin's control tree, lays it out, paints it
// double-buffered, turns mouse and keyboard input into control events and notifications,
// and keeps the skin's window-level settings. The statics hold the process-wide instance
// handle and resource folder.
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/ui/BackBuffer.h"
#include "platform/ui/DpiScale.h"
#include "platform/ui/SkinImages.h"
#include "platform/ui/UIDefs.h"
#include "platform/win/Handles.h"

namespace DuiLib {

class CControlUI;

class CPaintManagerUI {
public:
    CPaintManagerUI() = default;
    CPaintManagerUI(const CPaintManagerUI&) = delete;
    CPaintManagerUI& operator=(const CPaintManagerUI&) = delete;
    ~CPaintManagerUI();

    static void SetInstance(HINSTANCE hInst);
    static HINSTANCE GetInstance();
    // The folder of the executable, ending in a backslash.
    static CDuiString GetInstancePath();
    // Skins and markup files are named relative to this folder; a backslash is added.
    static void SetResourcePath(LPCTSTR pStrPath);
    static const CDuiString& GetResourcePath();
    // Pumps the thread's messages until WM_QUIT.
    static void MessageLoop();

    void Init(HWND hWnd);
    HWND GetPaintWindow() const { return m_hWndPaint; }

    // Takes ownership of the tree (null allowed), drops any previous one and applies the
    // skin's window size. Returns false for a null root.
    bool AttachDialog(CControlUI* pControl);
    CControlUI* GetRoot() const { return m_pRoot.get(); }

    // Settings of the skin's Window element; unknown names and unreadable values are ignored.
    void SetWindowAttribute(LPCTSTR pstrName, LPCTSTR pstrValue);
    // The DPI the window is drawn at (96 until told). The skin's lengths are written for
    // 96 DPI; every getter of a length answers it scaled to this DPI (DpiScale.h).
    int GetDpi() const { return m_dpi; }
    // A DPI outside kMinDpi..kMaxDpi is ignored. The skin is laid out and painted again.
    void SetDpi(int dpi);
    int Scale(int length) const { return ScaleToDpi(length, m_dpi); }
    SIZE Scale(SIZE size) const { return {Scale(size.cx), Scale(size.cy)}; }
    RECT Scale(const RECT& rc) const {
        return {Scale(rc.left), Scale(rc.top), Scale(rc.right), Scale(rc.bottom)};
    }

    // Caption band as margins: left, top (the band's upper edge), right, bottom (its lower edge).
    RECT GetCaptionRect() const { return Scale(m_rcCaption); }
    void SetCaptionRect(RECT rc) { m_rcCaption = rc; }
    SIZE GetRoundCorner() const { return Scale(m_szRoundCorner); }
    void SetRoundCorner(SIZE size);
    SIZE GetInitSize() const { return Scale(m_szInitWindowSize); }
    void SetInitSize(SIZE size);
    DWORD GetBkColor() const { return m_dwBackColor; }
    void SetBkColor(DWORD argb) { m_dwBackColor = argb; }

    // The skin's default font face, or one with the CJK glyphs the skins use.
    const CDuiString& GetDefaultFontName() const;
    void SetDefaultFontName(LPCTSTR face) { m_defaultFont.sFontName = face; }
    int GetDefaultFontSize() const { return m_defaultFont.iSize; }
    // 1 to 1000 pixels.
    void SetDefaultFontSize(int size);
    // The font of text without a font of its own, its face resolved.
    TFontInfo GetDefaultFontInfo() const;
    void SetDefaultFont(const TFontInfo& font) { m_defaultFont = font; }
    // The window's own fonts, numbered from 0 in the order added.
    void AddFont(const TFontInfo& font);
    // Null for an index with no font behind it.
    const TFontInfo* GetFontInfo(int index) const;
    // A font shared by the controls of this window; owned by the manager. A face the
    // system does not have is replaced by the default one.
    HFONT GetFont(LPCTSTR pstrFace, int nSize, bool bBold);
    HFONT GetFont(const TFontInfo& font);
    // A solid brush of the colour, shared by the window's painting; owned by the manager.
    HBRUSH GetBrush(DWORD argb);

    // Draws a skin image into a control's rectangle; each file is decoded once.
    void DrawImage(HDC dc, const RECT& control, const ImageValue& image) {
        m_images.Draw(dc, control, image);
    }
    int GetImageDecodeCount() const { return m_images.DecodeCount(); }

    bool AddNotifier(INotifyUI* pNotifier);
    bool RemoveNotifier(INotifyUI* pNotifier);
    void SendNotify(CControlUI* pControl, LPCTSTR pstrMessage, WPARAM wParam = 0,
                    LPARAM lParam = 0);

    CControlUI* FindControl(LPCTSTR pstrName) const;
    // The deepest visible control at a client point, a later sibling before an earlier one.
    CControlUI* FindControl(POINT pt);

    CControlUI* GetFocus() const { return m_pFocus; }
    void SetFocus(CControlUI* pControl);

    // The tree must be laid out again before the next paint or hit test.
    void NeedUpdate();
    void Invalidate();
    void Invalidate(const RECT& rcItem);
    // Lays the tree out to the client area now if anything asked for it.
    void UpdateLayout();
    // Draws the area of the client into dc through the kept back buffer (used for
    // WM_PAINT and WM_PRINTCLIENT).
    void Render(HDC dc, const RECT& area);

    // True once "windowinit" has been sent; controls added from then on are initialised
    // as they join the tree.
    bool IsInitialized() const { return m_bWindowInitDone; }
    void InitControls(CControlUI* pControl);
    // A control is going away: forget every reference to it.
    void ReapObjects(CControlUI* pControl);

    bool MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes);

private:
    bool RootCovers(const RECT& area) const;
    void ScheduleWindowInit();
    void OnWindowInit();
    void OnPaint();
    void OnMouseMove(POINT pt, WPARAM wParam);
    void OnMouseLeave();
    void OnButtonDown(POINT pt, WPARAM wParam);
    void OnButtonUp(POINT pt, WPARAM wParam);
    void OnCaptureLost();
    void OnKeyDown(WPARAM wParam, LPARAM lParam);
    void SetHover(CControlUI* pControl, POINT pt);
    void SendEvent(CControlUI* pControl, UIEvent type, POINT pt = {}, WPARAM wParam = 0,
                   LPARAM lParam = 0);

    HWND m_hWndPaint = nullptr; // not owned: the window owns its manager
    std::unique_ptr<CControlUI> m_pRoot;
    std::vector<INotifyUI*> m_notifiers; // not owned
    CControlUI* m_pFocus = nullptr;
    CControlUI* m_pEventHover = nullptr;
    CControlUI* m_pEventClick = nullptr;
    bool m_bMouseTracking = false;
    bool m_bUpdateNeeded = false;
    bool m_bWindowInitPosted = false;
    bool m_bWindowInitDone = false;

    int m_dpi = kBaseDpi;
    RECT m_rcCaption{};
    SIZE m_szRoundCorner{};
    SIZE m_szInitWindowSize{};
    DWORD m_dwBackColor = 0xFFFFFFFF;
    TFontInfo m_defaultFont;
    std::vector<TFontInfo> m_customFonts;
    std::map<std::wstring, gs::UniqueFont> m_fonts;
    std::map<COLORREF, gs::UniqueBrush> m_brushes;
    BackBuffer m_backBuffer;
    CSkinImages m_images;
    // Controls deleted while InitControls walks a tree, so that it skips them.
    int m_initDepth = 0;
    std::set<const CControlUI*> m_reapedDuringInit;
};

} // namespace DuiLib
