#pragma once
// The one class factory of the DLL. It lives as long as the DLL; the references that
// clients hold on it count as server locks.
#include <unknwn.h>

namespace player {

class ClassFactory final : public IClassFactory {
public:
    static ClassFactory& Instance();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;
};

} // namespace player
