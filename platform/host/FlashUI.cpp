#include "platform/host/FlashUI.h"

#include "platform/host/DispatchArgument.h"
#include "platform/host/FlashEventSink.h"
#include "platform/host/ShockwaveFlash.h"

#include <cwchar>
#include <new>
#include <utility>

namespace DuiLib {

namespace {

const wchar_t* TextOf(gs::UniqueVariant& value) {
    BSTR text = value.get()->bstrVal;
    return text ? text : L"";
}

} // namespace

CFlashUI::CFlashUI() {
    SetClsid(CLSID_ShockwaveFlash);
}

// The teardown runs here, while this object is still whole, so that events the player
// fires on its way out still find the handler; afterwards the sink is cut off.
CFlashUI::~CFlashUI() {
    ReleaseControl();
    if (m_sink)
        m_sink->Detach();
    SetFlashEventHandler(nullptr);
}

LPCTSTR CFlashUI::GetClass() const {
    return L"FlashUI";
}

LPVOID CFlashUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName && std::wcscmp(pstrName, L"Flash") == 0)
        return this;
    return CActiveXUI::GetInterface(pstrName);
}

void CFlashUI::SetFlashEventHandler(CFlashEventHandler* pHandler) {
    if (pHandler == m_pFlashEventHandler)
        return;
    if (pHandler)
        pHandler->AddRef();
    if (CFlashEventHandler* old = std::exchange(m_pFlashEventHandler, pHandler))
        old->Release();
}

HRESULT CFlashUI::OnControlCreated() {
    if (!m_sink)
        m_sink.attach(new (std::nothrow) CFlashEventSink(*this));
    if (!m_sink)
        return E_OUTOFMEMORY;
    return Advise(DIID__IShockwaveFlashEvents, m_sink.get());
}

// Arguments that do not convert to the event's types drop the event: the handler only
// ever sees what the player's interface promises.
HRESULT CFlashUI::OnFlashEvent(DISPID id, const DISPPARAMS& params) {
    CFlashEventHandler* handler = m_pFlashEventHandler;
    if (!handler)
        return S_OK;
    gs::UniqueVariant first;
    gs::UniqueVariant second;
    switch (id) {
    case gs::flash::DISPID_FlashCall:
        // The request may carry a whole file: it is read where the player put it.
        if (const BSTR* request = gs::BorrowedString(params, 0))
            return handler->FlashCall(request && *request ? *request : L"");
        if (FAILED(gs::DispatchArgument(params, 0, VT_BSTR, first)))
            return DISP_E_TYPEMISMATCH;
        return handler->FlashCall(TextOf(first));
    case gs::flash::DISPID_FSCommand:
        if (FAILED(gs::DispatchArgument(params, 0, VT_BSTR, first)) ||
            FAILED(gs::DispatchArgument(params, 1, VT_BSTR, second)))
            return DISP_E_TYPEMISMATCH;
        return handler->FSCommand(TextOf(first), TextOf(second));
    case gs::flash::DISPID_OnReadyStateChange:
    case gs::flash::DISPID_OnProgress:
        if (FAILED(gs::DispatchArgument(params, 0, VT_I4, first)))
            return DISP_E_TYPEMISMATCH;
        return id == gs::flash::DISPID_OnProgress ? handler->OnProgress(first.get()->lVal)
                                                  : handler->OnReadyStateChange(first.get()->lVal);
    default:
        return S_OK;
    }
}

} // namespace DuiLib
