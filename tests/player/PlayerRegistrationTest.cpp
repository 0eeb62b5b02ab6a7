// Self-registration and unloading of FlashTestPlayer.dll, through its own exports.
// Per-user registration is exercised here (HKCU), so that the machine-wide registration
// the other tests use stays as it is.
#include "platform/host/ShockwaveFlash.h"
#include "platform/win/ComPtr.h"
#include "platform/win/Handles.h"

#include "PlayerTestSupport.h"

#include <ocidl.h>

using namespace playertest;

namespace {

constexpr wchar_t UserServerKey[] =
    L"Software\\Classes\\CLSID\\{D27CDB6E-AE6D-11CF-96B8-444553540000}\\InprocServer32";
constexpr wchar_t UserProgIdKey[] = L"Software\\Classes\\ShockwaveFlash.ShockwaveFlash\\CLSID";

std::wstring UserValue(const wchar_t* key, const wchar_t* name = nullptr) {
    wchar_t value[MAX_PATH * 2]{};
    DWORD bytes = sizeof(value) - sizeof(wchar_t);
    if (::RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, value, &bytes) !=
        ERROR_SUCCESS)
        return L"(none)";
    return value;
}

class PlayerRegistrationTest : public testing::Test {
protected:
    void SetUp() override {
        module.reset(::LoadLibraryW(L"player\\FlashTestPlayer.dll"));
        ASSERT_TRUE(module);
        install = reinterpret_cast<Install>(
            reinterpret_cast<void*>(::GetProcAddress(module.get(), "DllInstall")));
        canUnload = reinterpret_cast<CanUnload>(
            reinterpret_cast<void*>(::GetProcAddress(module.get(), "DllCanUnloadNow")));
        ASSERT_NE(install, nullptr);
        ASSERT_NE(canUnload, nullptr);
        wchar_t path[MAX_PATH]{};
        ::GetModuleFileNameW(module.get(), path, MAX_PATH);
        modulePath = path;
    }
    void TearDown() override {
        ::RegDeleteTreeW(HKEY_CURRENT_USER,
                         L"Software\\Classes\\CLSID\\{D27CDB6E-AE6D-11CF-96B8-444553540000}");
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Classes\\ShockwaveFlash.ShockwaveFlash");
    }

    using Install = HRESULT(STDAPICALLTYPE*)(BOOL, LPCWSTR);
    using CanUnload = HRESULT(STDAPICALLTYPE*)();
    gs::UniqueModule module;
    Install install = nullptr;
    CanUnload canUnload = nullptr;
    std::wstring modulePath;
};

TEST_F(PlayerRegistrationTest, PerUserInstallWritesAndRemovesTheCurrentUsersClasses) {
    ASSERT_EQ(install(TRUE, L"user"), S_OK);
    EXPECT_EQ(UserValue(UserServerKey), modulePath);
    EXPECT_EQ(UserValue(UserServerKey, L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(UserValue(UserProgIdKey), L"{D27CDB6E-AE6D-11CF-96B8-444553540000}");
    ASSERT_EQ(install(TRUE, L"USER"), S_OK) << "registering again is harmless";
    ASSERT_EQ(install(FALSE, L"user"), S_OK);
    EXPECT_EQ(UserValue(UserServerKey), L"(none)");
    EXPECT_EQ(UserValue(UserProgIdKey), L"(none)");
    EXPECT_EQ(install(FALSE, L"user"), S_OK) << "nothing left to remove is not an error";
    EXPECT_EQ(install(TRUE, L"everyone"), E_INVALIDARG);
}

TEST_F(PlayerRegistrationTest, UnregisterLeavesAnotherServersRegistrationAlone) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, UserServerKey, 0, nullptr, 0, KEY_SET_VALUE,
                                nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const wchar_t other[] = L"C:\\Windows\\system32\\Macromed\\Flash\\Flash.ocx";
    ::RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(other), sizeof(other));
    ::RegCloseKey(key);
    EXPECT_EQ(install(FALSE, L"user"), S_OK);
    EXPECT_EQ(UserValue(UserServerKey), other);
}

TEST_F(PlayerRegistrationTest, TheDllCanUnloadOnlyWhenNothingIsAlive) {
    ComScope com;
    {
        gs::ComPtr<IUnknown> player;
        ASSERT_EQ(::CoCreateInstance(CLSID_ShockwaveFlash, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IUnknown, player.put_void()),
                  S_OK);
        EXPECT_EQ(canUnload(), S_FALSE);
        gs::ComPtr<IConnectionPointContainer> container;
        ASSERT_EQ(player.query(container), S_OK);
        gs::ComPtr<IConnectionPoint> point;
        ASSERT_EQ(container->FindConnectionPoint(DIID__IShockwaveFlashEvents, point.put()), S_OK);
        player.reset();
        container.reset();
        EXPECT_EQ(canUnload(), S_FALSE) << "the connection point keeps its player alive";
    }
    EXPECT_EQ(canUnload(), S_OK);
    gs::ComPtr<IClassFactory> factory;
    ASSERT_EQ(::CoGetClassObject(CLSID_ShockwaveFlash, CLSCTX_INPROC_SERVER, nullptr,
                                 IID_IClassFactory, factory.put_void()),
              S_OK);
    EXPECT_EQ(canUnload(), S_FALSE) << "a held class factory counts";
    ASSERT_EQ(factory->LockServer(TRUE), S_OK);
    factory.reset();
    EXPECT_EQ(canUnload(), S_FALSE) << "a server lock counts";
    gs::ComPtr<IClassFactory> again;
    ASSERT_EQ(::CoGetClassObject(CLSID_ShockwaveFlash, CLSCTX_INPROC_SERVER, nullptr,
                                 IID_IClassFactory, again.put_void()),
              S_OK);
    ASSERT_EQ(again->LockServer(FALSE), S_OK);
    again.reset();
    EXPECT_EQ(canUnload(), S_OK);
}

} // namespace
