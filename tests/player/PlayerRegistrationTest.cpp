// Per-user self-registration of FlashTestPlayer.dll through its DllInstall export (HKCU,
// so that the machine-wide registration the other tests create the player by stays as
// it is): what unregistering removes, and what it must leave alone.
#include "platform/win/Handles.h"

#include <gtest/gtest.h>

namespace {

constexpr wchar_t ClassKey[] = L"Software\\Classes\\CLSID\\{D27CDB6E-AE6D-11CF-96B8-444553540000}";
const std::wstring ServerKey = std::wstring(ClassKey) + L"\\InprocServer32";
constexpr wchar_t ProgIdKey[] = L"Software\\Classes\\ShockwaveFlash.ShockwaveFlash";

std::wstring UserValue(const std::wstring& key, const wchar_t* name = nullptr) {
    wchar_t value[MAX_PATH * 2]{};
    DWORD bytes = sizeof(value) - sizeof(wchar_t);
    if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value,
                       &bytes) != ERROR_SUCCESS)
        return L"(none)";
    return value;
}

void ForgetUserRegistration() {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, ClassKey);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, ProgIdKey);
}

TEST(PlayerRegistration, PerUserInstallIsUndoneWithoutTouchingAnotherServer) {
    gs::UniqueModule module(::LoadLibraryW(L"player\\FlashTestPlayer.dll"));
    ASSERT_TRUE(module);
    using Install = HRESULT(STDAPICALLTYPE*)(BOOL, LPCWSTR);
    const auto install = reinterpret_cast<Install>(
        reinterpret_cast<void*>(::GetProcAddress(module.get(), "DllInstall")));
    ASSERT_NE(install, nullptr);
    wchar_t modulePath[MAX_PATH]{};
    ::GetModuleFileNameW(module.get(), modulePath, MAX_PATH);

    ForgetUserRegistration(); // what an interrupted run may have left
    ASSERT_EQ(install(TRUE, L"user"), S_OK);
    EXPECT_EQ(UserValue(ServerKey), modulePath);
    EXPECT_EQ(UserValue(ServerKey, L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(UserValue(std::wstring(ProgIdKey) + L"\\CLSID"),
              L"{D27CDB6E-AE6D-11CF-96B8-444553540000}");
    ASSERT_EQ(install(TRUE, L"USER"), S_OK) << "registering again is harmless";
    ASSERT_EQ(install(FALSE, L"user"), S_OK);
    EXPECT_EQ(UserValue(ServerKey), L"(none)");
    EXPECT_EQ(UserValue(std::wstring(ProgIdKey) + L"\\CLSID"), L"(none)");
    EXPECT_EQ(install(FALSE, L"user"), S_OK) << "nothing left to remove is not an error";
    EXPECT_EQ(install(TRUE, L"everyone"), E_INVALIDARG);

    // The class registered to another server (the real Flash Player) stays registered.
    const std::wstring other = L"C:\\Windows\\system32\\Macromed\\Flash\\Flash.ocx";
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, ServerKey.c_str(), nullptr, REG_SZ,
                                other.c_str(),
                                static_cast<DWORD>((other.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    EXPECT_EQ(install(FALSE, L"user"), S_OK);
    EXPECT_EQ(UserValue(ServerKey), other);
    ForgetUserRegistration();
}

} // namespace
