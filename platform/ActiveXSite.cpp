#include "platform/ActiveXSite.h"

#include "platform/ActiveXUI.h"
#include "platform/PaintManagerUI.h"

#include <olectl.h>

namespace DuiLib {

HRESULT CActiveXSite::QueryInterface(REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite)
        *object = static_cast<IOleClientSite*>(this);
    else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite)
        *object = static_cast<IOleInPlaceSite*>(this);
    else if (iid == IID_IOleControlSite)
        *object = static_cast<IOleControlSite*>(this);
    else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame)
        *object = static_cast<IOleInPlaceFrame*>(this);
    else if (iid == IID_IDispatch)
        *object = static_cast<IDispatch*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG CActiveXSite::AddRef() {
    return static_cast<ULONG>(::InterlockedIncrement(&m_references));
}

ULONG CActiveXSite::Release() {
    LONG left = ::InterlockedDecrement(&m_references);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT CActiveXSite::SaveObject() {
    return E_NOTIMPL;
}

HRESULT CActiveXSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT CActiveXSite::GetContainer(IOleContainer** container) {
    if (container)
        *container = nullptr;
    return E_NOINTERFACE;
}

HRESULT CActiveXSite::ShowObject() {
    return S_OK;
}
HRESULT CActiveXSite::OnShowWindow(BOOL) {
    return S_OK;
}
HRESULT CActiveXSite::RequestNewObjectLayout() {
    return E_NOTIMPL;
}

HRESULT CActiveXSite::GetWindow(HWND* window) {
    if (!window)
        return E_POINTER;
    *window = m_owner && m_owner->GetManager() ? m_owner->GetManager()->GetPaintWindow() : nullptr;
    return *window ? S_OK : E_FAIL;
}

HRESULT CActiveXSite::ContextSensitiveHelp(BOOL) {
    return E_NOTIMPL;
}

HRESULT CActiveXSite::CanInPlaceActivate() {
    return m_owner ? S_OK : S_FALSE;
}
HRESULT CActiveXSite::OnInPlaceActivate() {
    return m_owner ? S_OK : E_UNEXPECTED;
}
HRESULT CActiveXSite::OnUIActivate() {
    return m_owner ? S_OK : E_UNEXPECTED;
}

HRESULT CActiveXSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                       LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
    if (!frame || !document || !position || !clip || !info)
        return E_POINTER;
    *document = nullptr;
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *position = *clip = m_owner ? static_cast<RECT>(m_owner->GetPos()) : RECT{};
    HWND window = nullptr;
    (void)GetWindow(&window); // a detached site has no window: the context is empty
    info->fMDIApp = FALSE;
    info->hwndFrame = window;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}

HRESULT CActiveXSite::Scroll(SIZE) {
    return E_NOTIMPL;
}
HRESULT CActiveXSite::OnUIDeactivate(BOOL) {
    return S_OK;
}
HRESULT CActiveXSite::OnInPlaceDeactivate() {
    return S_OK;
}
HRESULT CActiveXSite::DiscardUndoState() {
    return S_OK;
}
HRESULT CActiveXSite::DeactivateAndUndo() {
    return E_NOTIMPL;
}

// The layout decides where the control goes: a control asking to move is put back.
HRESULT CActiveXSite::OnPosRectChange(LPCRECT) {
    if (m_owner)
        m_owner->UpdateControlWindow();
    return S_OK;
}

HRESULT CActiveXSite::OnControlInfoChanged() {
    return S_OK;
}
HRESULT CActiveXSite::LockInPlaceActive(BOOL) {
    return S_OK;
}

HRESULT CActiveXSite::GetExtendedControl(IDispatch** control) {
    if (control)
        *control = nullptr;
    return E_NOTIMPL;
}

HRESULT CActiveXSite::TransformCoords(POINTL*, POINTF*, DWORD) {
    return E_NOTIMPL;
}
HRESULT CActiveXSite::TranslateAccelerator(MSG*, DWORD) {
    return S_FALSE;
}
HRESULT CActiveXSite::OnFocus(BOOL) {
    return S_OK;
}
HRESULT CActiveXSite::ShowPropertyFrame() {
    return E_NOTIMPL;
}

HRESULT CActiveXSite::GetBorder(LPRECT) {
    return INPLACE_E_NOTOOLSPACE;
}
HRESULT CActiveXSite::RequestBorderSpace(LPCBORDERWIDTHS) {
    return INPLACE_E_NOTOOLSPACE;
}
HRESULT CActiveXSite::SetBorderSpace(LPCBORDERWIDTHS) {
    return S_OK;
}
HRESULT CActiveXSite::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) {
    return S_OK;
}
HRESULT CActiveXSite::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) {
    return S_OK;
}
HRESULT CActiveXSite::SetMenu(HMENU, HOLEMENU, HWND) {
    return S_OK;
}
HRESULT CActiveXSite::RemoveMenus(HMENU) {
    return S_OK;
}
HRESULT CActiveXSite::SetStatusText(LPCOLESTR) {
    return S_OK;
}
HRESULT CActiveXSite::EnableModeless(BOOL) {
    return S_OK;
}
HRESULT CActiveXSite::TranslateAccelerator(LPMSG, WORD) {
    return S_FALSE;
}

HRESULT CActiveXSite::GetTypeInfoCount(UINT* count) {
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT CActiveXSite::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

HRESULT CActiveXSite::GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID, DISPID* ids) {
    for (UINT index = 0; ids && index < count; ++index)
        ids[index] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

// The control runs as in a finished application: user mode, no hatching or grab
// handles, and a live user interface.
HRESULT CActiveXSite::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                             EXCEPINFO*, UINT*) {
    if (!(flags & DISPATCH_PROPERTYGET))
        return DISP_E_MEMBERNOTFOUND;
    bool value = false;
    switch (id) {
    case DISPID_AMBIENT_USERMODE:
        value = true;
        break;
    case DISPID_AMBIENT_UIDEAD:
    case DISPID_AMBIENT_SHOWHATCHING:
    case DISPID_AMBIENT_SHOWGRABHANDLES:
    case DISPID_AMBIENT_DISPLAYASDEFAULT:
        value = false;
        break;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
    if (result) {
        ::VariantInit(result);
        result->vt = VT_BOOL;
        result->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    }
    return S_OK;
}

} // namespace DuiLib
