#pragma once
// The in-place frame a hosted control receives from its site's GetWindowContext: the
// window that holds the skin. It stands apart from the site and knows nothing but that
// window's handle, so a control that never gives it back (Wine's media player keeps
// it) keeps no site, no control and no freed memory alive. This host shows no menus,
// toolbars or status line, so those requests are granted and ignored.
#include "platform/win/ComObject.h"

#include <oleidl.h>

namespace DuiLib {

class CActiveXFrame final : public gs::ComObject<CActiveXFrame, IOleInPlaceFrame> {
public:
    explicit CActiveXFrame(HWND window) : m_window(window) {}

    static std::span<const gs::InterfaceEntry> InterfaceTable();

    // IOleWindow
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enter) override;

    // IOleInPlaceUIWindow
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT border) override;
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS widths) override;
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS widths) override;
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* object,
                                              LPCOLESTR name) override;

    // IOleInPlaceFrame
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU menu, LPOLEMENUGROUPWIDTHS widths) override;
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU menu, HOLEMENU shared, HWND activeObject) override;
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU menu) override;
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR text) override;
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL enable) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG message, WORD id) override;

private:
    ~CActiveXFrame() override = default;

    HWND m_window; // not owned: the skin's window, which may be gone by the time of a call
};

} // namespace DuiLib
