#pragma once
// A function of a loaded library, typed: null where the library lacks it, so that a
// function newer than the oldest system the program runs on is called only where it exists.
#include <windows.h>

namespace gs {

template <typename Proc> Proc ProcedureOf(HMODULE module, const char* name) {
    if (!module)
        return nullptr;
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

} // namespace gs
