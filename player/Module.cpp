#include "player/Module.h"

#include "platform/host/ShockwaveFlash.h"
#include "player/ClassFactory.h"

#include <atomic>

namespace player {

namespace {

HINSTANCE g_instance = nullptr;
std::atomic<long> g_locks{0};

} // namespace

HINSTANCE ModuleInstance() {
    return g_instance;
}
void LockModule() {
    ++g_locks;
}
void UnlockModule() {
    --g_locks;
}

} // namespace player

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        player::g_instance = instance;
        (void)::DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (clsid != CLSID_ShockwaveFlash)
        return CLASS_E_CLASSNOTAVAILABLE;
    return player::ClassFactory::Instance().QueryInterface(iid, object);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return player::g_locks == 0 ? S_OK : S_FALSE;
}
