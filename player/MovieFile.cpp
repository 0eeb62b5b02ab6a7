#include "player/MovieFile.h"

#include "platform/win/Handles.h"
#include "platform/win/ResultMacros.h"

#include <string_view>

namespace player {

namespace {

constexpr DWORD MaxMovieBytes = 4 * 1024 * 1024;

HRESULT ReadAll(const std::wstring& path, std::string& bytes, std::wstring& reason) {
    gs::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        DWORD error = ::GetLastError();
        reason = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                     ? L"the file does not exist"
                     : L"the file cannot be opened (error " + std::to_wstring(error) + L")";
        return HRESULT_FROM_WIN32(error);
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size))
        return HRESULT_FROM_WIN32(::GetLastError());
    if (size.QuadPart > MaxMovieBytes) {
        reason = L"the file is too large for a movie script";
        return HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE);
    }
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() &&
        !::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        reason = L"the file cannot be read";
        return HRESULT_FROM_WIN32(::GetLastError());
    }
    bytes.resize(read);
    return S_OK;
}

bool IsSwf(std::string_view bytes) {
    std::string_view signature = bytes.substr(0, 3);
    return signature == "FWS" || signature == "CWS" || signature == "ZWS";
}

} // namespace

HRESULT ReadMovieText(const std::wstring& path, std::wstring& text, std::wstring& reason) {
    std::string bytes;
    GS_RETURN_IF_FAILED(ReadAll(path, bytes, reason));
    std::string_view view = bytes;
    if (IsSwf(view)) {
        reason = L"it is an SWF movie, and this test player plays movie scripts only";
        return HRESULT_FROM_WIN32(ERROR_BAD_FORMAT);
    }
    if (view.substr(0, 3) == "\xEF\xBB\xBF")
        view.remove_prefix(3);
    int length = view.empty() ? 0
                              : ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, view.data(),
                                                      static_cast<int>(view.size()), nullptr, 0);
    if ((!view.empty() && length == 0) || view.find('\0') != std::string_view::npos) {
        reason = L"it is not a movie script (UTF-8 text)";
        return HRESULT_FROM_WIN32(ERROR_BAD_FORMAT);
    }
    text.assign(static_cast<size_t>(length), L'\0');
    if (length > 0)
        (void)::MultiByteToWideChar(CP_UTF8, 0, view.data(), static_cast<int>(view.size()),
                                    text.data(), length);
    return S_OK;
}

} // namespace player
