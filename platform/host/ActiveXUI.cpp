#include "platform/host/ActiveXUI.h"

#include "platform/host/ActiveXSite.h"
#include "platform/ui/PaintManagerUI.h"
#include "platform/win/ResultMacros.h"
#include "platform/win/ScopeGuard.h"

#include <cassert>
#include <cwchar>
#include <new>
#include <ocidl.h>

namespace DuiLib {

CActiveXUI::CActiveXUI() = default;

CActiveXUI::~CActiveXUI() {
    ReleaseControl();
}

LPCTSTR CActiveXUI::GetClass() const {
    return L"ActiveXUI";
}

LPVOID CActiveXUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName && std::wcscmp(pstrName, L"ActiveX") == 0)
        return this;
    return CControlUI::GetInterface(pstrName);
}

void CActiveXUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    if (!pstrName || !pstrValue || std::wcscmp(pstrName, L"clsid") != 0)
        return CControlUI::SetAttribute(pstrName, pstrValue);
    CLSID clsid{};
    HRESULT hr = pstrValue[0] == L'{' ? ::CLSIDFromString(pstrValue, &clsid)
                                      : ::CLSIDFromProgID(pstrValue, &clsid);
    if (SUCCEEDED(hr))
        m_clsid = clsid;
}

void CActiveXUI::SetPos(RECT rc) {
    CControlUI::SetPos(rc);
    UpdateControlWindow();
}

void CActiveXUI::SetVisible(bool bVisible) {
    CControlUI::SetVisible(bVisible);
    UpdateControlWindow();
}

void CActiveXUI::SetInternVisible(bool bVisible) {
    CControlUI::SetInternVisible(bVisible);
    UpdateControlWindow();
}

void CActiveXUI::DoInit() {
    if (m_bCreated)
        return;
    m_bCreated = true;
    HRESULT hr = CreateControl();
    if (m_pManager)
        m_pManager->SendNotify(this, L"showactivex", static_cast<WPARAM>(hr));
}

HRESULT CActiveXUI::GetControl(REFIID iid, void** ppRet) {
    if (!ppRet)
        return E_POINTER;
    *ppRet = nullptr;
    if (!m_unknown)
        return E_NOINTERFACE;
    return m_unknown->QueryInterface(iid, ppRet);
}

HWND CActiveXUI::GetHostWindow() const {
    HWND window = nullptr;
    if (!m_inPlaceObject || FAILED(m_inPlaceObject->GetWindow(&window)))
        return nullptr;
    return window;
}

void CActiveXUI::UpdateControlWindow() {
    if (!m_inPlaceObject)
        return;
    (void)m_inPlaceObject->SetObjectRects(&m_rcItem, &m_rcItem); // a control may refuse
    if (HWND window = GetHostWindow())
        ::ShowWindow(window, IsVisible() ? SW_SHOWNA : SW_HIDE);
}

HRESULT CActiveXUI::Advise(REFIID events, IUnknown* sink) {
    gs::ComPtr<IConnectionPointContainer> container;
    GS_RETURN_IF_FAILED(m_unknown.query(container));
    Connection connection{{}, 0};
    GS_RETURN_IF_FAILED(container->FindConnectionPoint(events, connection.point.put()));
    const HRESULT hr = connection.point->Advise(sink, &connection.cookie);
    GS_RETURN_IF_FAILED(hr);
    m_connections.push_back(connection);
    return hr;
}

HRESULT CActiveXUI::CreateControl() {
    if (!m_pManager || !m_pManager->GetPaintWindow())
        return E_UNEXPECTED;
    gs::ScopeGuard releaseOnFailure([this] { ReleaseControl(); });
    GS_RETURN_IF_FAILED(::CoCreateInstance(m_clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                           m_unknown.put_void()));
    GS_RETURN_IF_FAILED(SetUpControl());
    const HRESULT hr = ActivateInPlace();
    GS_RETURN_IF_FAILED(hr);
    releaseOnFailure.dismiss();
    return hr;
}

HRESULT CActiveXUI::SetUpControl() {
    GS_RETURN_IF_FAILED(m_unknown.query(m_oleObject));
    m_site.attach(new (std::nothrow) CActiveXSite(*this));
    if (!m_site)
        return E_OUTOFMEMORY;
    DWORD status = 0;
    (void)m_oleObject->GetMiscStatus(DVASPECT_CONTENT, &status); // none known: 0
    const bool siteFirst = status & OLEMISC_SETCLIENTSITEFIRST;
    if (siteFirst)
        GS_RETURN_IF_FAILED(m_oleObject->SetClientSite(m_site.get()));
    GS_RETURN_IF_FAILED(InitNew());
    if (!siteFirst)
        GS_RETURN_IF_FAILED(m_oleObject->SetClientSite(m_site.get()));
    return OnControlCreated();
}

// A control without persistence starts new by itself.
HRESULT CActiveXUI::InitNew() {
    gs::ComPtr<IPersistStreamInit> persist;
    if (FAILED(m_unknown.query(persist)))
        return S_OK;
    return persist->InitNew();
}

// The paint manager paints the whole client area: the window must clip its children,
// or every repaint would draw over the control's own window.
HRESULT CActiveXUI::ActivateInPlace() {
    HWND container = m_pManager->GetPaintWindow();
    LONG_PTR style = ::GetWindowLongPtrW(container, GWL_STYLE);
    if (!(style & WS_CLIPCHILDREN))
        ::SetWindowLongPtrW(container, GWL_STYLE, style | WS_CLIPCHILDREN);
    GS_RETURN_IF_FAILED(m_oleObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, m_site.get(), 0,
                                            container, &m_rcItem));
    const HRESULT hr = m_unknown.query(m_inPlaceObject);
    GS_RETURN_IF_FAILED(hr);
    UpdateControlWindow();
    return hr;
}

// Every step runs whatever the one before answered: a control that fails one must
// still be let go.
void CActiveXUI::ReleaseControl() {
    if (m_inPlaceObject) {
        (void)m_inPlaceObject->InPlaceDeactivate();
        (void)m_inPlaceObject->UIDeactivate();
    }
    for (Connection& connection : m_connections)
        (void)connection.point->Unadvise(connection.cookie);
    m_connections.clear();
    if (m_oleObject) {
        (void)m_oleObject->Close(OLECLOSE_NOSAVE);
        (void)m_oleObject->SetClientSite(nullptr);
    }
    m_inPlaceObject.reset();
    m_oleObject.reset();
    if (IUnknown* control = m_unknown.detach()) {
        [[maybe_unused]] ULONG left = control->Release();
        assert(left == 0 && "the hosted control is still referenced after its teardown");
    }
    if (m_site) {
        m_site->Detach();
        m_site.reset();
    }
}

} // namespace DuiLib
