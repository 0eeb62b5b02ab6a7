#include "platform/host/FlashEventSink.h"

#include "platform/host/FlashUI.h"
#include "platform/host/ShockwaveFlash.h"

namespace DuiLib {

std::span<const gs::InterfaceEntry> CFlashEventSink::InterfaceTable() {
    static const gs::InterfaceEntry table[] = {
        gs::InterfaceRow<CFlashEventSink, IDispatch>(IID_IUnknown),
        gs::InterfaceRow<CFlashEventSink, IDispatch>(IID_IDispatch),
        gs::InterfaceRow<CFlashEventSink, IDispatch>(DIID__IShockwaveFlashEvents),
    };
    return table;
}

HRESULT CFlashEventSink::GetTypeInfoCount(UINT* count) {
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT CFlashEventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

HRESULT CFlashEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID, DISPID* ids) {
    for (UINT index = 0; ids && index < count; ++index)
        ids[index] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

HRESULT CFlashEventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                                EXCEPINFO*, UINT*) {
    if (result)
        ::VariantInit(result);
    if (!params)
        return E_POINTER;
    if (!m_owner)
        return S_OK;
    AddRef(); // the handler may release the control, and with it this sink's owner link
    HRESULT hr = E_UNEXPECTED;
    try {
        hr = m_owner->OnFlashEvent(id, *params);
    } catch (...) { // nothing may unwind into the player's call
    }
    Release();
    return hr;
}

} // namespace DuiLib
