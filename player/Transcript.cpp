#include "player/Transcript.h"

#include <algorithm>

namespace player {

namespace {

constexpr size_t kSliceUnits = 16384;

void AppendUtf8(std::wstring_view text, std::string& bytes) {
    size_t ascii = 0; // plain ASCII, the bulk of any long text here, is copied as it is
    while (ascii < text.size() && text[ascii] < 0x80)
        ++ascii;
    bytes.append(text.begin(), text.begin() + static_cast<ptrdiff_t>(ascii));
    text.remove_prefix(ascii);
    int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                     nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return;
    size_t at = bytes.size();
    bytes.resize(at + static_cast<size_t>(size));
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data() + at,
                          size, nullptr, nullptr);
}

// Appends the text as UTF-8, with line breaks written as \r and \n.
void AppendOneLine(std::wstring_view text, std::string& bytes) {
    for (size_t at = 0, end = 0; at <= text.size(); at = end + 1) {
        end = at;
        while (end < text.size() && text[end] != L'\r' && text[end] != L'\n')
            ++end;
        AppendUtf8(text.substr(at, end - at), bytes);
        if (end < text.size())
            bytes += text[end] == L'\r' ? "\\r" : "\\n";
    }
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

// A long text (a whole file passed on) is converted and written a slice at a time, so
// the record needs no copy of it; a short line still goes out in one write.
void Transcript::Write(std::wstring_view kind, std::wstring_view text) {
    if (!m_file)
        return;
    std::string bytes;
    AppendOneLine(kind, bytes);
    bytes += ' ';
    for (size_t at = 0; at < text.size();) {
        size_t count = std::min(text.size() - at, kSliceUnits);
        if (count == kSliceUnits && text[at + count - 1] >= 0xD800 &&
            text[at + count - 1] <= 0xDBFF)
            --count; // a pair stays in one slice
        AppendOneLine(text.substr(at, count), bytes);
        at += count;
        if (at < text.size())
            Flush(bytes);
    }
    bytes += '\n';
    Flush(bytes);
}

// A failed write loses part of the record; the movie plays on regardless.
void Transcript::Flush(std::string& bytes) {
    DWORD written = 0;
    (void)::WriteFile(m_file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                      nullptr);
    bytes.clear();
}

} // namespace player
