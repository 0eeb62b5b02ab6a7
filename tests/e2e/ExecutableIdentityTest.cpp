// GameShell.exe as shipped: its version resource carries the project's version, and
// its manifest asks for common controls 6.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

const wchar_t kShell[] = L"GameShell.exe";

std::wstring VersionString(const std::vector<BYTE>& info, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!::VerQueryValueW(info.data(), path.c_str(), &value, &length) || length == 0)
        return L"";
    return static_cast<const wchar_t*>(value);
}

std::string ManifestText() {
    const HMODULE module = ::LoadLibraryExW(kShell, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return "";
    std::string text;
    if (const HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST)) {
        const HGLOBAL loaded = ::LoadResource(module, resource);
        const char* bytes = static_cast<const char*>(::LockResource(loaded));
        if (bytes)
            text.assign(bytes, ::SizeofResource(module, resource));
    }
    ::FreeLibrary(module);
    return text;
}

} // namespace

TEST(ExecutableIdentity, VersionResourceCarriesTheProjectVersion) {
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(kShell, &ignored);
    ASSERT_GT(size, 0u) << "no version resource";
    std::vector<BYTE> info(size);
    ASSERT_TRUE(::GetFileVersionInfoW(kShell, 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS,
              static_cast<DWORD>(MAKELONG(GS_VERSION_MINOR, GS_VERSION_MAJOR)));
    EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(0, GS_VERSION_PATCH)));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(VersionString(info, L"ProductName"), L"GameShell");
    EXPECT_EQ(VersionString(info, L"OriginalFilename"), L"GameShell.exe");
    EXPECT_EQ(VersionString(info, L"FileVersion"), std::wstring(GS_VERSION_TEXT) + L".0");
}

TEST(ExecutableIdentity, ManifestAsksForCommonControlsSix) {
    const std::string manifest = ManifestText();
    ASSERT_FALSE(manifest.empty()) << "no manifest resource 1";
    const size_t controls = manifest.find("name=\"Microsoft.Windows.Common-Controls\"");
    ASSERT_NE(controls, std::string::npos);
    EXPECT_NE(manifest.find("version=\"6.0.0.0\"", controls), std::string::npos);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
}
