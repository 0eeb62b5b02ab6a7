#pragma once
// What the player's COM tests share: COM for the test, temporary files, the transcript.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/support/FileBytes.h"

#include <sstream>
#include <string>
#include <vector>

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

inline std::wstring TempPath(const std::wstring& name) {
    wchar_t temp[MAX_PATH]{};
    ::GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"gs-player-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
           name;
}

inline std::string Utf8(const std::wstring& text) {
    int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), size, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

// The transcript's lines, read as another process would read them; none before it exists.
inline std::vector<std::string> ReadLines(const std::wstring& path) {
    std::vector<std::string> lines;
    if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return lines;
    std::istringstream stream(gs::test::ReadFileBytes(path));
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

// The position of the first line at or after `from` that starts with `prefix`, or -1.
inline int FindLine(const std::vector<std::string>& lines, const std::string& prefix,
                    int from = 0) {
    for (size_t index = static_cast<size_t>(from); index < lines.size(); ++index) {
        if (lines[index].rfind(prefix, 0) == 0)
            return static_cast<int>(index);
    }
    return -1;
}

} // namespace playertest
