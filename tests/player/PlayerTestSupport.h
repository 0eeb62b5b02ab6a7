#pragma once
// COM for a test that creates the player, on the test's thread.
#include <objbase.h>

namespace playertest {

class ComScope {
public:
    ComScope() { m_hr = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~ComScope() {
        if (SUCCEEDED(m_hr))
            ::CoUninitialize();
    }

private:
    HRESULT m_hr;
};

} // namespace playertest
