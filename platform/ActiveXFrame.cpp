#include "platform/ActiveXFrame.h"

#include <initializer_list>

namespace DuiLib {

HRESULT CActiveXFrame::QueryInterface(REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    for (const IID* known :
         {&IID_IUnknown, &IID_IOleWindow, &IID_IOleInPlaceUIWindow, &IID_IOleInPlaceFrame}) {
        if (*known == iid) {
            *object = static_cast<IOleInPlaceFrame*>(this);
            AddRef();
            return S_OK;
        }
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG CActiveXFrame::AddRef() {
    return static_cast<ULONG>(::InterlockedIncrement(&m_references));
}

ULONG CActiveXFrame::Release() {
    LONG left = ::InterlockedDecrement(&m_references);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
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
