// GameShell.exe as shipped: its version resource carries the project's version, and
// its manifest asks for common controls 6.
#include "platform/win/Handles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(ExecutableIdentity, VersionResourceCarriesTheProjectVersion) {
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(L"GameShell.exe", &ignored);
    ASSERT_GT(size, 0u) << "no version resource";
    std::vector<BYTE> info(size);
    ASSERT_TRUE(::GetFileVersionInfoW(L"GameShell.exe", 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS,
              static_cast<DWORD>(MAKELONG(GS_VERSION_MINOR, GS_VERSION_MAJOR)));
    EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(0, GS_VERSION_PATCH)));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    for (const auto& [name, expected] :
         {std::pair<std::wstring, std::wstring>{L"ProductName", L"GameShell"},
          {L"OriginalFilename", L"GameShell.exe"},
          {L"FileVersion", std::wstring(GS_VERSION_TEXT) + L".0"}}) {
        void* value = nullptr;
        const std::wstring path = L"\\StringFileInfo\\040904B0\\" + name;
        EXPECT_TRUE(::VerQueryValueW(info.data(), path.c_str(), &value, &length)) << path;
        EXPECT_EQ(value ? static_cast<const wchar_t*>(value) : L"", expected);
    }
}

TEST(ExecutableIdentity, ManifestAsksForCommonControlsSixAsTheInvoker) {
    const gs::UniqueModule module(
        ::LoadLibraryExW(L"GameShell.exe", nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(module);
    const HRSRC resource = ::FindResourceW(module.get(), MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_NE(resource, nullptr) << "no manifest resource 1";
    const std::string manifest(
        static_cast<const char*>(::LockResource(::LoadResource(module.get(), resource))),
        ::SizeofResource(module.get(), resource));
    const size_t controls = manifest.find("name=\"Microsoft.Windows.Common-Controls\"");
    ASSERT_NE(controls, std::string::npos);
    EXPECT_NE(manifest.find("version=\"6.0.0.0\"", controls), std::string::npos);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
}
