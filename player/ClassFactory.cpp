#include "player/ClassFactory.h"

#include "platform/win/ComObject.h"
#include "player/FlashPlayer.h"
#include "player/Module.h"

namespace player {

ClassFactory& ClassFactory::Instance() {
    static ClassFactory factory;
    return factory;
}

HRESULT ClassFactory::QueryInterface(REFIID iid, void** object) {
    static const gs::InterfaceEntry table[] = {
        gs::InterfaceRow<ClassFactory, IClassFactory>(IID_IUnknown),
        gs::InterfaceRow<ClassFactory, IClassFactory>(IID_IClassFactory),
    };
    return gs::QueryTable(this, table, iid, object);
}

ULONG ClassFactory::AddRef() {
    LockModule();
    return 2;
}

ULONG ClassFactory::Release() {
    UnlockModule();
    return 1;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    return FlashPlayer::Create(iid, object);
}

HRESULT ClassFactory::LockServer(BOOL lock) {
    if (lock)
        LockModule();
    else
        UnlockModule();
    return S_OK;
}

} // namespace player
