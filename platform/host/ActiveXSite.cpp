#include "platform/host/ActiveXSite.h"

#include "platform/host/ActiveXFrame.h"
#include "platform/host/ActiveXUI.h"
#include "platform/ui/PaintManagerUI.h"

#include <new>
#include <olectl.h>

namespace DuiLib {

CActiveXSite::CActiveXSite(CActiveXUI& owner) : m_owner(&owner) {}

std::span<const gs::InterfaceEntry> CActiveXSite::InterfaceTable() {
    static const gs::InterfaceEntry table[] = {
        gs::InterfaceRow<CActiveXSite, IOleClientSite>(IID_IUnknown),
        gs::InterfaceRow<CActiveXSite, IOleClientSite>(IID_IOleClientSite),
        gs::InterfaceRow<CActiveXSite, IOleInPlaceSiteEx>(IID_IOleWindow),
        gs::InterfaceRow<CActiveXSite, IOleInPlaceSiteEx>(IID_IOleInPlaceSite),
        gs::InterfaceRow<CActiveXSite, IOleInPlaceSiteEx>(IID_IOleInPlaceSiteEx),
        gs::InterfaceRow<CActiveXSite, IOleControlSite>(IID_IOleControlSite),
        gs::InterfaceRow<CActiveXSite, IOleContainer>(IID_IParseDisplayName),
        gs::InterfaceRow<CActiveXSite, IOleContainer>(IID_IOleContainer),
        gs::InterfaceRow<CActiveXSite, IDispatch>(IID_IDispatch),
    };
    return table;
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
    if (!container)
        return E_POINTER;
    *container = static_cast<IOleContainer*>(this);
    AddRef();
    return S_OK;
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
    HWND window = nullptr;
    (void)GetWindow(&window); // a detached site has no window: the context is empty
    *frame = new (std::nothrow) CActiveXFrame(window);
    if (!*frame)
        return E_OUTOFMEMORY;
    *position = *clip = m_owner ? static_cast<RECT>(m_owner->GetPos()) : RECT{};
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

// The skin's window clips its children, so it never painted the control's rectangle:
// the control always draws itself. A windowless control has nothing here to draw on.
HRESULT CActiveXSite::OnInPlaceActivateEx(BOOL* noRedraw, DWORD flags) {
    if (noRedraw)
        *noRedraw = FALSE;
    if (flags & ACTIVATE_WINDOWLESS)
        return E_FAIL;
    return OnInPlaceActivate();
}

// The window under the control repaints the uncovered rectangle by itself once the
// control's window has gone, so deactivation asks nothing more, with or without a redraw.
HRESULT CActiveXSite::OnInPlaceDeactivateEx(BOOL) {
    return OnInPlaceDeactivate();
}
HRESULT CActiveXSite::RequestUIActivate() {
    return m_owner ? S_OK : S_FALSE;
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

HRESULT CActiveXSite::ParseDisplayName(IBindCtx*, LPOLESTR, ULONG* eaten, IMoniker** moniker) {
    if (eaten)
        *eaten = 0;
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}

// Each control of the skin has a site of its own: there is no list of neighbours to give.
HRESULT CActiveXSite::EnumObjects(DWORD, IEnumUnknown** objects) {
    if (objects)
        *objects = nullptr;
    return E_NOTIMPL;
}

HRESULT CActiveXSite::LockContainer(BOOL) {
    return S_OK;
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
// handles, a live user interface, and its window messages are its own (not reflected).
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
    case DISPID_AMBIENT_MESSAGEREFLECT:
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
