// Embedding and in-place activation. The player asks for its client site first
// (OLEMISC_SETCLIENTSITEFIRST) and activates as a windowed control: DoVerb asks the
// site's IOleInPlaceSite for permission, the parent window and the rectangle, and
// creates the stage there; SetObjectRects moves it; InPlaceDeactivate (also from
// Close) destroys it and tells the site. A movie loaded before activation starts once
// the stage exists.
#include "platform/win/ResultMacros.h"
#include "player/FlashPlayer.h"

#include <olectl.h>

namespace player {

namespace {

constexpr DWORD PlayerMiscStatus = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE |
                                   OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE |
                                   OLEMISC_SETCLIENTSITEFIRST;

} // namespace

HRESULT FlashPlayer::SetClientSite(IOleClientSite* site) {
    m_clientSite = gs::ComPtr<IOleClientSite>(site);
    return S_OK;
}

HRESULT FlashPlayer::GetClientSite(IOleClientSite** site) {
    if (!site)
        return E_POINTER;
    *site = m_clientSite.get();
    if (*site)
        (*site)->AddRef();
    return S_OK;
}

HRESULT FlashPlayer::SetHostNames(LPCOLESTR, LPCOLESTR) {
    return S_OK;
}

HRESULT FlashPlayer::Close(DWORD) {
    gs::ComPtr<IShockwaveFlash> self(this);
    HRESULT hr = InPlaceDeactivate();
    // Sinks still advised now would keep their host and this player alive in a cycle.
    m_events.Clear();
    return hr;
}

HRESULT FlashPlayer::SetMoniker(DWORD, IMoniker*) {
    return E_NOTIMPL;
}

HRESULT FlashPlayer::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT FlashPlayer::InitFromData(IDataObject*, BOOL, DWORD) {
    return E_NOTIMPL;
}

HRESULT FlashPlayer::GetClipboardData(DWORD, IDataObject** data) {
    if (data)
        *data = nullptr;
    return E_NOTIMPL;
}

HRESULT FlashPlayer::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND, LPCRECT rect) {
    switch (verb) {
    case OLEIVERB_INPLACEACTIVATE:
        return Activate(site, rect, false);
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_UIACTIVATE:
        return Activate(site, rect, true);
    case OLEIVERB_HIDE:
        if (m_stage.Window())
            ::ShowWindow(m_stage.Window(), SW_HIDE);
        return S_OK;
    default:
        return OLEOBJ_S_INVALIDVERB;
    }
}

HRESULT FlashPlayer::Activate(IOleClientSite* site, LPCRECT rect, bool uiActivate) {
    gs::ComPtr<IOleClientSite> clientSite(site ? site : m_clientSite.get());
    if (!m_inPlaceSite) {
        gs::ComPtr<IOleInPlaceSite> inPlaceSite;
        GS_RETURN_IF_FAILED(clientSite.query(inPlaceSite));
        if (inPlaceSite->CanInPlaceActivate() != S_OK)
            return E_FAIL;
        GS_RETURN_IF_FAILED(inPlaceSite->OnInPlaceActivate());
        const HRESULT hr = OpenStage(*inPlaceSite.get(), rect);
        if (FAILED(hr)) {
            (void)inPlaceSite->OnInPlaceDeactivate();
            return hr;
        }
        m_inPlaceSite = inPlaceSite;
        Record(L"activate", L"in place");
        StartMovie();
    }
    if (uiActivate && !m_uiActive) {
        m_uiActive = true;
        (void)m_inPlaceSite->OnUIActivate(); // a site that declines leaves us in-place active
        ::SetFocus(m_stage.Window());
    }
    return S_OK;
}

// The stage opens in the site's window, where the host asks or else where the site places it.
HRESULT FlashPlayer::OpenStage(IOleInPlaceSite& site, LPCRECT rect) {
    HWND parent = nullptr;
    GS_RETURN_IF_FAILED(site.GetWindow(&parent));
    gs::ComPtr<IOleInPlaceFrame> frame;
    gs::ComPtr<IOleInPlaceUIWindow> document;
    RECT position{};
    RECT clip{};
    OLEINPLACEFRAMEINFO frameInfo{sizeof(frameInfo), FALSE, nullptr, nullptr, 0};
    GS_RETURN_IF_FAILED(
        site.GetWindowContext(frame.put(), document.put(), &position, &clip, &frameInfo));
    return m_stage.Create(parent, rect ? *rect : position);
}

HRESULT FlashPlayer::EnumVerbs(IEnumOLEVERB** verbs) {
    if (verbs)
        *verbs = nullptr;
    return E_NOTIMPL;
}

HRESULT FlashPlayer::Update() {
    return S_OK;
}
HRESULT FlashPlayer::IsUpToDate() {
    return S_OK;
}

HRESULT FlashPlayer::GetUserClassID(CLSID* clsid) {
    return GetClassID(clsid);
}

HRESULT FlashPlayer::GetUserType(DWORD, LPOLESTR* type) {
    if (type)
        *type = nullptr;
    return OLE_S_USEREG;
}

HRESULT FlashPlayer::SetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (!size)
        return E_POINTER;
    m_extent = *size;
    return S_OK;
}

HRESULT FlashPlayer::GetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (!size)
        return E_POINTER;
    *size = m_extent;
    return S_OK;
}

HRESULT FlashPlayer::Advise(IAdviseSink*, DWORD* connection) {
    if (connection)
        *connection = 0;
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT FlashPlayer::Unadvise(DWORD) {
    return OLE_E_NOCONNECTION;
}

HRESULT FlashPlayer::EnumAdvise(IEnumSTATDATA** advise) {
    if (advise)
        *advise = nullptr;
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT FlashPlayer::GetMiscStatus(DWORD, DWORD* status) {
    if (!status)
        return E_POINTER;
    *status = PlayerMiscStatus;
    return S_OK;
}

HRESULT FlashPlayer::SetColorScheme(LOGPALETTE*) {
    return E_NOTIMPL;
}

HRESULT FlashPlayer::GetWindow(HWND* window) {
    if (!window)
        return E_POINTER;
    *window = m_stage.Window();
    return *window ? S_OK : E_FAIL;
}

HRESULT FlashPlayer::ContextSensitiveHelp(BOOL) {
    return E_NOTIMPL;
}

HRESULT FlashPlayer::InPlaceDeactivate() {
    if (!m_inPlaceSite)
        return S_OK;
    gs::ComPtr<IShockwaveFlash> self(this);
    m_runner.RunUnload();
    (void)UIDeactivate(); // always S_OK
    m_runner.CancelWaits();
    m_dialogs.Reset();
    m_stage.Destroy();
    gs::ComPtr<IOleInPlaceSite> site = std::move(m_inPlaceSite);
    Record(L"deactivate", L"in place");
    return site->OnInPlaceDeactivate();
}

HRESULT FlashPlayer::UIDeactivate() {
    if (!m_uiActive || !m_inPlaceSite)
        return S_OK;
    m_uiActive = false;
    (void)m_inPlaceSite->OnUIDeactivate(FALSE); // the site's answer changes nothing here
    return S_OK;
}

HRESULT FlashPlayer::SetObjectRects(LPCRECT position, LPCRECT) {
    if (!position)
        return E_POINTER;
    m_stage.Move(*position);
    return S_OK;
}

HRESULT FlashPlayer::ReactivateAndUndo() {
    return INPLACE_E_NOTUNDOABLE;
}
HRESULT FlashPlayer::TranslateAccelerator(LPMSG) {
    return S_FALSE;
}
HRESULT FlashPlayer::OnFrameWindowActivate(BOOL) {
    return S_OK;
}
HRESULT FlashPlayer::OnDocWindowActivate(BOOL) {
    return S_OK;
}
HRESULT FlashPlayer::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) {
    return S_OK;
}
HRESULT FlashPlayer::EnableModeless(BOOL) {
    return S_OK;
}

HRESULT FlashPlayer::GetControlInfo(CONTROLINFO*) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::OnMnemonic(MSG*) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::OnAmbientPropertyChange(DISPID) {
    return S_OK;
}
HRESULT FlashPlayer::FreezeEvents(BOOL) {
    return S_OK;
}

HRESULT FlashPlayer::GetClassID(CLSID* clsid) {
    if (!clsid)
        return E_POINTER;
    *clsid = CLSID_ShockwaveFlash;
    return S_OK;
}

HRESULT FlashPlayer::IsDirty() {
    return S_FALSE;
}
HRESULT FlashPlayer::Load(LPSTREAM) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::Save(LPSTREAM, BOOL) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::GetSizeMax(ULARGE_INTEGER*) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::InitNew() {
    return S_OK;
}

HRESULT FlashPlayer::EnumConnectionPoints(IEnumConnectionPoints** points) {
    if (points)
        *points = nullptr;
    return E_NOTIMPL;
}

HRESULT FlashPlayer::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    if (!point)
        return E_POINTER;
    *point = nullptr;
    if (iid != DIID__IShockwaveFlashEvents)
        return CONNECT_E_NOCONNECTION;
    *point = &m_events;
    m_events.AddRef();
    return S_OK;
}

} // namespace player
