#include "player/EventConnection.h"

#include "platform/host/ShockwaveFlash.h"
#include "platform/win/ComObject.h"

#include <olectl.h>

namespace player {

HRESULT EventConnection::QueryInterface(REFIID iid, void** object) {
    static const gs::InterfaceEntry table[] = {
        gs::InterfaceRow<EventConnection, IConnectionPoint>(IID_IUnknown),
        gs::InterfaceRow<EventConnection, IConnectionPoint>(IID_IConnectionPoint),
    };
    return gs::QueryTable(this, table, iid, object);
}

HRESULT EventConnection::GetConnectionInterface(IID* iid) {
    if (!iid)
        return E_POINTER;
    *iid = DIID__IShockwaveFlashEvents;
    return S_OK;
}

HRESULT EventConnection::GetConnectionPointContainer(IConnectionPointContainer** out) {
    if (!out)
        return E_POINTER;
    *out = &m_container;
    m_container.AddRef();
    return S_OK;
}

HRESULT EventConnection::Advise(IUnknown* sink, DWORD* cookie) {
    if (!cookie)
        return E_POINTER;
    *cookie = 0;
    if (!sink)
        return E_POINTER;
    gs::ComPtr<IDispatch> dispatch;
    if (FAILED(sink->QueryInterface(DIID__IShockwaveFlashEvents, dispatch.put_void())) &&
        FAILED(sink->QueryInterface(IID_IDispatch, dispatch.put_void())))
        return CONNECT_E_CANNOTCONNECT;
    m_sinks.push_back({m_nextCookie, dispatch});
    *cookie = m_nextCookie++;
    return S_OK;
}

HRESULT EventConnection::Unadvise(DWORD cookie) {
    for (auto sink = m_sinks.begin(); sink != m_sinks.end(); ++sink) {
        if (sink->cookie == cookie) {
            m_sinks.erase(sink);
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

HRESULT EventConnection::EnumConnections(IEnumConnections** connections) {
    if (connections)
        *connections = nullptr;
    return E_NOTIMPL;
}

HRESULT EventConnection::Fire(DISPID id, std::vector<VARIANT> arguments) {
    // DISPPARAMS lists the arguments last first.
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    // A sink may unadvise itself, or others, from inside its event: work on a copy.
    std::vector<Sink> sinks = m_sinks;
    HRESULT result = S_FALSE;
    for (const Sink& sink : sinks)
        result = sink.dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                       nullptr, nullptr, nullptr);
    return result;
}

} // namespace player
