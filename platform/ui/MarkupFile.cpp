// The Windows half of the markup reader: reading a file, and the code pages (the ANSI
// one or a declared one) for the decoding of its bytes (MarkupDecode.cpp).
#include <windows.h>

#include <string>

#include "platform/ui/Markup.h"
#include "platform/ui/MarkupDecode.h"
#include "platform/ui/PaintManagerUI.h"
#include "platform/win/WholeFile.h"

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

// The ANSI code page converts as it always has, unknown bytes and all; a declared code
// page must read every byte, or the declaration is not trusted.
bool CodePageToWideText(unsigned codePage, const unsigned char* data, std::size_t size,
                        std::wstring& out) {
    const UINT page = codePage == kAnsiCodePage ? CP_ACP : codePage;
    const DWORD flags = codePage == kAnsiCodePage ? 0 : MB_ERR_INVALID_CHARS;
    auto text = reinterpret_cast<const char*>(data);
    int count = ::MultiByteToWideChar(page, flags, text, static_cast<int>(size), nullptr, 0);
    if (count <= 0)
        return false;
    out.resize(static_cast<std::size_t>(count));
    return ::MultiByteToWideChar(page, flags, text, static_cast<int>(size), out.data(), count) ==
           count;
}

} // namespace

bool CMarkup::LoadFromMem(const unsigned char* data, std::size_t size, int encoding) {
    Release();
    std::wstring text;
    if (!data || size > kMaxFileSize ||
        !DecodeMarkupBytes(data, size, encoding, CodePageToWideText, text)) {
        m_error = L"not a text in the given encoding";
        return false;
    }
    return Load(text.data(), text.size());
}

bool CMarkup::LoadFromFile(const wchar_t* name, int encoding) {
    Release();
    std::string bytes;
    if (!gs::ReadWholeFile(ResourceFile(name), kMaxFileSize, bytes)) {
        m_error = L"file cannot be read";
        return false;
    }
    return LoadFromMem(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                       encoding);
}

} // namespace DuiLib
