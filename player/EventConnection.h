#pragma once
// The connection point of _IShockwaveFlashEvents. It is part of the player: its
// reference count is the player's, so a sink holder keeps the whole control alive.
// Events go to every advised sink through IDispatch::Invoke.
#include "platform/win/ComPtr.h"

#include <ocidl.h>
#include <vector>

namespace player {

class EventConnection final : public IConnectionPoint {
public:
    explicit EventConnection(IConnectionPointContainer& container) : m_container(container) {}
    EventConnection(const EventConnection&) = delete;
    EventConnection& operator=(const EventConnection&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return m_container.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return m_container.Release(); }
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override;

    bool HasSinks() const { return !m_sinks.empty(); }
    // Invokes `id` on every sink with the arguments in their natural order; answers the
    // last sink's result (S_FALSE when none is advised).
    HRESULT Fire(DISPID id, std::vector<VARIANT> arguments);
    // Drops every sink (the control is closing).
    void Clear() { m_sinks.clear(); }

private:
    struct Sink {
        DWORD cookie;
        gs::ComPtr<IDispatch> dispatch;
    };

    IConnectionPointContainer& m_container; // not owned: the player this point belongs to
    std::vector<Sink> m_sinks;
    DWORD m_nextCookie = 1;
};

} // namespace player
