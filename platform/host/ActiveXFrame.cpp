#include "platform/host/ActiveXFrame.h"

namespace DuiLib {

std::span<const gs::InterfaceEntry> CActiveXFrame::InterfaceTable() {
    static const gs::InterfaceEntry table[] = {
        gs::InterfaceRow<CActiveXFrame, IOleInPlaceFrame>(IID_IUnknown),
        gs::InterfaceRow<CActiveXFrame, IOleInPlaceFrame>(IID_IOleWindow),
        gs::InterfaceRow<CActiveXFrame, IOleInPlaceFrame>(IID_IOleInPlaceUIWindow),
        gs::InterfaceRow<CActiveXFrame, IOleInPlaceFrame>(IID_IOleInPlaceFrame),
    };
    return table;
}

HRESULT CActiveXFrame::GetWindow(HWND* window) {
    if (!window)
        return E_POINTER;
    *window = ::IsWindow(m_window) ? m_window : nullptr;
    return *window ? S_OK : E_FAIL;
}

HRESULT CActiveXFrame::ContextSensitiveHelp(BOOL) {
    return E_NOTIMPL;
}

HRESULT CActiveXFrame::GetBorder(LPRECT) {
    return INPLACE_E_NOTOOLSPACE;
}
HRESULT CActiveXFrame::RequestBorderSpace(LPCBORDERWIDTHS) {
    return INPLACE_E_NOTOOLSPACE;
}
HRESULT CActiveXFrame::SetBorderSpace(LPCBORDERWIDTHS) {
    return S_OK;
}
HRESULT CActiveXFrame::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) {
    return S_OK;
}
HRESULT CActiveXFrame::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) {
    return S_OK;
}
HRESULT CActiveXFrame::SetMenu(HMENU, HOLEMENU, HWND) {
    return S_OK;
}
HRESULT CActiveXFrame::RemoveMenus(HMENU) {
    return S_OK;
}
HRESULT CActiveXFrame::SetStatusText(LPCOLESTR) {
    return S_OK;
}
HRESULT CActiveXFrame::EnableModeless(BOOL) {
    return S_OK;
}
HRESULT CActiveXFrame::TranslateAccelerator(LPMSG, WORD) {
    return S_FALSE;
}

} // namespace DuiLib
