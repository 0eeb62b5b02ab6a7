#pragma once
// Makes the lobby's probe the web browser for the life of the object: the "https"
// scheme's "open" command starts it with the address as a browser's registered command
// line gives it ("%1"), and it reports the arguments of each start to a file of the
// object's own (tests that open web addresses share the lock "browser").
#include "platform/win/ModulePath.h"
#include "tests/support/FileBytes.h"
#include "tests/support/MessagePump.h"
#include "tools/lobby/TextCodec.h"

#include <windows.h>

#include <string>
#include <vector>

namespace gs::test {

class BrowserProbe {
public:
    // The arguments of each start of the browser.
    using Starts = std::vector<std::vector<std::string>>;

    BrowserProbe() {
        DWORD size = sizeof m_previous;
        m_hadCommand = ::RegGetValueW(HKEY_CLASSES_ROOT, kKey, nullptr, RRF_RT_REG_SZ, nullptr,
                                      m_previous, &size) == ERROR_SUCCESS;
        m_set = Set(L"\"" + Program() + L"\" \"%1\"");
        ::SetEnvironmentVariableW(L"PROBE_REPORT", m_report.c_str());
    }
    BrowserProbe(const BrowserProbe&) = delete;
    BrowserProbe& operator=(const BrowserProbe&) = delete;
    ~BrowserProbe() {
        if (m_hadCommand)
            (void)Set(m_previous);
        else
            (void)::RegDeleteKeyW(HKEY_CLASSES_ROOT, kKey);
        ::SetEnvironmentVariableW(L"PROBE_REPORT", nullptr);
        ::DeleteFileW(m_report.c_str());
    }

    static std::wstring Program() { return ModuleFolder(nullptr) + L"..\\lobby\\lobby_probe.exe"; }
    bool IsSet() const { return m_set; }
    Starts Opened() const {
        Starts starts;
        for (const std::string& line : ReadLines(m_report)) {
            const std::string value = line.substr(line.find('=') + 1);
            if (line.starts_with("argc="))
                starts.emplace_back();
            else if (line.starts_with("arg") && !starts.empty())
                starts.back().push_back(
                    lobby::HexToBytes(std::wstring(value.begin(), value.end())).value_or("?"));
        }
        return starts;
    }
    // Waits until the browser has been started; false when it was not.
    bool WaitForStart() const {
        return PumpUntil([&] { return !Opened().empty(); }, 15000);
    }

private:
    static constexpr const wchar_t* kKey = L"https\\shell\\open\\command";
    static bool Set(const std::wstring& command) {
        return ::RegSetValueW(HKEY_CLASSES_ROOT, kKey, REG_SZ, command.c_str(),
                              static_cast<DWORD>(command.size() * sizeof(wchar_t))) ==
               ERROR_SUCCESS;
    }

    wchar_t m_previous[1024] = {};
    bool m_hadCommand = false;
    bool m_set = false;
    std::wstring m_report = TempPath(L"browser_report");
};

} // namespace gs::test
