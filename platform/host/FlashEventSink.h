#pragma once
// The event sink a CFlashUI advises on the player's _IShockwaveFlashEvents connection
// point. The player holds it by reference; the control detaches it when it goes, after
// which events are ignored.
#include "platform/win/ComObject.h"

#include <oaidl.h>

namespace DuiLib {

class CFlashUI;

class CFlashEventSink final : public gs::ComObject<CFlashEventSink, IDispatch> {
public:
    explicit CFlashEventSink(CFlashUI& owner) : m_owner(&owner) {}

    void Detach() { m_owner = nullptr; }

    static std::span<const gs::InterfaceEntry> InterfaceTable();

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override;

private:
    ~CFlashEventSink() override = default;

    CFlashUI* m_owner; // not owned: the control that advised this sink
};

} // namespace DuiLib
