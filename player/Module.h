#pragma once
// The DLL's own state: its instance handle and the count of live objects and server
// locks that decides whether COM may unload it.
#include <windows.h>

namespace player {

HINSTANCE ModuleInstance();
void LockModule();
void UnlockModule();

} // namespace player
