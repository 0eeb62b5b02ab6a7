#include "player/Transcript.h"

namespace player {

namespace {

std::wstring OneLine(std::wstring_view kind, std::wstring_view text) {
    std::wstring line(kind);
    line += L' ';
    for (wchar_t c : text) {
        if (c == L'\r')
            line += L"\\r";
        else if (c == L'\n')
            line += L"\\n";
        else
            line += c;
    }
    line += L'\n';
    return line;
}

std::string ToUtf8(std::wstring_view text) {
    int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                     nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(),
                              size, nullptr, nullptr);
    return out;
}

} // namespace

HRESULT Transcript::Open(const std::wstring& path) {
    gs::UniqueFile file(::CreateFileW(path.c_str(), FILE_APPEND_DATA,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return HRESULT_FROM_WIN32(::GetLastError());
    m_file = std::move(file);
    return S_OK;
}

void Transcript::Write(std::wstring_view kind, std::wstring_view text) {
    if (!m_file)
        return;
    std::string bytes = ToUtf8(OneLine(kind, text));
    DWORD written = 0;
    // A failed write loses one line of the record; the movie plays on regardless.
    (void)::WriteFile(m_file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                      nullptr);
}

} // namespace player
