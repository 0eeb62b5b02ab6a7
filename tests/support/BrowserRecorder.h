#pragma once
// Points Wine's web browser at a script that records each address it is given, so a
// test can see what the shell opened with ShellExecute.
#include <objbase.h> // before the test support headers, which use COM

#include "platform/win/ScopeGuard.h"
#include "tests/player/PlayerTestSupport.h"
#include "tests/support/MessagePump.h"

#include <windows.h>

#include <string>
#include <vector>

namespace gs::test {

class BrowserRecorder {
public:
    BrowserRecorder() {
        ::DeleteFileW(m_log.c_str());
        const std::wstring script = GS_WIDE_SOURCE_DIR L"/tests/support/record-url.sh";
        ::RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine\\WineBrowser", L"Browsers", REG_SZ,
                          script.c_str(),
                          static_cast<DWORD>((script.size() + 1) * sizeof(wchar_t)));
    }
    BrowserRecorder(const BrowserRecorder&) = delete;
    BrowserRecorder& operator=(const BrowserRecorder&) = delete;
    ~BrowserRecorder() {
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine\\WineBrowser", L"Browsers");
        ::DeleteFileW(m_log.c_str());
    }

    std::vector<std::string> Opened() const { return playertest::ReadLines(m_log); }
    // Waits until an address was opened; false when none came.
    bool WaitForOne() const {
        return PumpUntil([&] { return !Opened().empty(); }, 15000);
    }

private:
    // The script's own log: Wine starts the browser without the Windows environment, so
    // the path is fixed (tests that open addresses share the lock "browser").
    std::wstring m_log = L"Z:\\tmp\\gs-url.log";
};

} // namespace gs::test
