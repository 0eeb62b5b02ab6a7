#include "player/Transcript.h"

#include <emmintrin.h>

#include <algorithm>

namespace player {

namespace {

constexpr size_t kSliceUnits = 1 << 18;

// The length of the run at the start of `text` that is plain ASCII without a line
// break: the bulk of any long text here, copied byte for byte.
size_t PlainRun(std::wstring_view text) {
    size_t at = 0;
    while (at < text.size() && text[at] < 0x80 && text[at] != L'\r' && text[at] != L'\n')
        ++at;
    return at;
}

// The same, eight units at a time, narrowing them into `bytes` as it goes.
[[gnu::target("sse2")]] size_t AppendPlainRunSse2(std::wstring_view text, std::string& bytes) {
    const size_t start = bytes.size();
    bytes.resize(start + text.size());
    char* out = bytes.data() + start;
    const __m128i ascii = _mm_set1_epi16(0x7F);
    const __m128i cr = _mm_set1_epi16(L'\r');
    const __m128i lf = _mm_set1_epi16(L'\n');
    size_t at = 0;
    for (; at + 8 <= text.size(); at += 8) {
        const __m128i eight = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at));
        const __m128i isAscii = _mm_cmpeq_epi16(_mm_subs_epu16(eight, ascii), _mm_setzero_si128());
        const __m128i isBreak =
            _mm_or_si128(_mm_cmpeq_epi16(eight, cr), _mm_cmpeq_epi16(eight, lf));
        if (_mm_movemask_epi8(_mm_andnot_si128(isBreak, isAscii)) != 0xFFFF)
            break;
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + at), _mm_packus_epi16(eight, eight));
    }
    const size_t run = at + PlainRun(text.substr(at));
    std::copy(text.begin() + static_cast<ptrdiff_t>(at), text.begin() + static_cast<ptrdiff_t>(run),
              out + at);
    bytes.resize(start + run);
    return run;
}

size_t AppendPlainRun(std::wstring_view text, std::string& bytes) {
    static const bool sse2 = __builtin_cpu_supports("sse2");
    if (sse2)
        return AppendPlainRunSse2(text, bytes);
    const size_t run = PlainRun(text);
    bytes.append(text.begin(), text.begin() + static_cast<ptrdiff_t>(run));
    return run;
}

void AppendUtf8(std::wstring_view text, std::string& bytes) {
    int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                     nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return;
    size_t at = bytes.size();
    bytes.resize(at + static_cast<size_t>(size));
    (void)::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                bytes.data() + at, size, nullptr, nullptr);
}

// Appends the text as UTF-8, with line breaks written as \r and \n.
void AppendOneLine(std::wstring_view text, std::string& bytes) {
    while (!text.empty()) {
        text.remove_prefix(AppendPlainRun(text, bytes));
        size_t end = 0;
        while (end < text.size() && text[end] >= 0x80)
            ++end;
        AppendUtf8(text.substr(0, end), bytes);
        if (end < text.size() && (text[end] == L'\r' || text[end] == L'\n')) {
            bytes += text[end] == L'\r' ? "\\r" : "\\n";
            ++end;
        }
        text.remove_prefix(end);
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
