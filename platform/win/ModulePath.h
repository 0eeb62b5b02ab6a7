#pragma once
// Where a module's file lies. GetModuleFileNameW cuts a long path to the buffer it is
// given and still succeeds, so the buffer grows until the whole path fits.
#include <string>
#include <string_view>
#include <windows.h>

namespace gs {

// The full path of `module`'s file (null: the running program); empty when Windows
// cannot say.
inline std::wstring ModuleFilePath(HMODULE module) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = ::GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

// The folder part of `path` with its trailing slash; empty for a bare file name.
inline std::wstring FolderOf(std::wstring_view path) {
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring_view::npos ? std::wstring()
                                            : std::wstring(path.substr(0, slash + 1));
}

// The folder of `module`'s file, with its trailing backslash.
inline std::wstring ModuleFolder(HMODULE module) {
    return FolderOf(ModuleFilePath(module));
}

} // namespace gs
