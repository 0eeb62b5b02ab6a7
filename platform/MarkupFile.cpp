// The Windows half of the markup reader: reading a file or a block of bytes and turning
// it into UTF-16 by its byte-order mark or the caller's encoding selector.
#include <windows.h>

#include <string>

#include "platform/Handles.h"
#include "platform/Markup.h"
#include "platform/PaintManagerUI.h"

namespace DuiLib {

namespace {

// Larger files are refused rather than read: no skin or settings file comes near this.
constexpr std::size_t kMaxFileSize = 64u << 20;

std::wstring ResourceFile(const wchar_t* name) {
    std::wstring path = CPaintManagerUI::GetResourcePath().GetData();
    std::wstring file = name ? name : L"";
    bool pathEnds = !path.empty() && (path.back() == L'\\' || path.back() == L'/');
    bool fileStarts = !file.empty() && (file.front() == L'\\' || file.front() == L'/');
    if (pathEnds && fileStarts)
        file.erase(0, 1);
    return path + file;
}

bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
    gs::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > kMaxFileSize)
        return false;
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() &&
        (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
         read != bytes.size()))
        return false;
    return true;
}

bool Widen(UINT codePage, DWORD flags, const unsigned char* data, std::size_t size,
           std::wstring& out) {
    out.clear();
    if (size == 0)
        return true;
    auto text = reinterpret_cast<const char*>(data);
    int count = ::MultiByteToWideChar(codePage, flags, text, static_cast<int>(size), nullptr, 0);
    if (count <= 0)
        return false;
    out.resize(static_cast<std::size_t>(count));
    return ::MultiByteToWideChar(codePage, flags, text, static_cast<int>(size), out.data(),
                                 count) == count;
}

bool FromUtf16(const unsigned char* data, std::size_t size, bool bigEndian, std::wstring& out) {
    if (size % 2)
        return false;
    out.resize(size / 2);
    for (std::size_t i = 0; i < out.size(); ++i) {
        unsigned first = data[2 * i], second = data[2 * i + 1];
        out[i] = static_cast<wchar_t>(bigEndian ? first << 8 | second : second << 8 | first);
    }
    return true;
}

bool Decode(const unsigned char* data, std::size_t size, int encoding, std::wstring& out) {
    if (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF)
        return Widen(CP_UTF8, MB_ERR_INVALID_CHARS, data + 3, size - 3, out);
    if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE)
        return FromUtf16(data + 2, size - 2, false, out);
    if (size >= 2 && data[0] == 0xFE && data[1] == 0xFF)
        return FromUtf16(data + 2, size - 2, true, out);
    switch (encoding) {
    case CMarkup::XMLFILE_ENCODING_UTF8:
        return Widen(CP_UTF8, MB_ERR_INVALID_CHARS, data, size, out);
    case CMarkup::XMLFILE_ENCODING_UNICODE:
        return FromUtf16(data, size, false, out);
    case CMarkup::XMLFILE_ENCODING_ASNI:
        return Widen(CP_ACP, 0, data, size, out);
    default:
        return false;
    }
}

} // namespace

bool CMarkup::LoadFromMem(const unsigned char* data, std::size_t size, int encoding) {
    Release();
    std::wstring text;
    if (!data || size > kMaxFileSize || !Decode(data, size, encoding, text)) {
        m_error = L"not a text in the given encoding";
        return false;
    }
    return Load(text.data(), text.size());
}

bool CMarkup::LoadFromFile(const wchar_t* name, int encoding) {
    Release();
    std::string bytes;
    if (!ReadWholeFile(ResourceFile(name), bytes)) {
        m_error = L"file cannot be read";
        return false;
    }
    return LoadFromMem(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                       encoding);
}

} // namespace DuiLib
