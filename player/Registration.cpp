// Self-registration under the Flash Player control's CLSID and ProgID, so that a host
// creating "the Flash Player" gets this player. Machine-wide registration writes
// HKLM\Software\Classes (HKEY_CLASSES_ROOT), the only place Wine's COM looks; per-user
// registration (DllInstall with "user") writes HKCU\Software\Classes for a Windows user
// without administrator rights. Unregistering removes the keys only while they name this
// DLL, so that it never takes away a real Flash Player registered after it.
#include "platform/host/ShockwaveFlash.h"
#include "platform/win/ModulePath.h"
#include "platform/win/ResultMacros.h"
#include "player/Module.h"

#include <string>

namespace {

constexpr wchar_t ClassKey[] = L"CLSID\\{D27CDB6E-AE6D-11CF-96B8-444553540000}";
constexpr wchar_t ClassId[] = L"{D27CDB6E-AE6D-11CF-96B8-444553540000}";
constexpr wchar_t Description[] = L"Shockwave Flash Object (GameShell test player)";
// OLEMISC_RECOMPOSEONRESIZE | CANTLINKINSIDE | INSIDEOUT | ACTIVATEWHENVISIBLE |
// SETCLIENTSITEFIRST, the status the player reports through IOleObject::GetMiscStatus.
constexpr wchar_t MiscStatus[] = L"131473";

class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey() {
        if (m_key)
            (void)::RegCloseKey(m_key);
    }
    HKEY get() const { return m_key; }
    HKEY* put() { return &m_key; }

private:
    HKEY m_key = nullptr;
};

HRESULT FromStatus(LSTATUS status) {
    return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status);
}

HRESULT OpenClassesRoot(bool perUser, REGSAM access, RegistryKey& root) {
    HKEY hive = perUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    return FromStatus(::RegCreateKeyExW(hive, L"Software\\Classes", 0, nullptr, 0, access, nullptr,
                                        root.put(), nullptr));
}

HRESULT SetValue(HKEY root, const std::wstring& subKey, const wchar_t* name,
                 const std::wstring& value) {
    RegistryKey key;
    GS_RETURN_IF_FAILED(FromStatus(::RegCreateKeyExW(root, subKey.c_str(), 0, nullptr, 0,
                                                     KEY_SET_VALUE, nullptr, key.put(), nullptr)));
    auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return FromStatus(::RegSetValueExW(key.get(), name, 0, REG_SZ,
                                       reinterpret_cast<const BYTE*>(value.c_str()), bytes));
}

HRESULT Register(bool perUser) {
    std::wstring path = gs::ModuleFilePath(player::ModuleInstance());
    if (path.empty())
        return HRESULT_FROM_WIN32(::GetLastError());
    RegistryKey root;
    GS_RETURN_IF_FAILED(OpenClassesRoot(perUser, KEY_CREATE_SUB_KEY | KEY_SET_VALUE, root));
    const std::wstring classKey = ClassKey;
    const std::wstring progId = gs::flash::ProgId;
    const std::pair<std::wstring, std::pair<const wchar_t*, std::wstring>> values[] = {
        {classKey, {nullptr, Description}},
        {classKey + L"\\InprocServer32", {nullptr, path}},
        {classKey + L"\\InprocServer32", {L"ThreadingModel", L"Apartment"}},
        {classKey + L"\\ProgID", {nullptr, progId}},
        {classKey + L"\\VersionIndependentProgID", {nullptr, progId}},
        {classKey + L"\\Control", {nullptr, L""}},
        {classKey + L"\\MiscStatus", {nullptr, L"0"}},
        {classKey + L"\\MiscStatus\\1", {nullptr, MiscStatus}},
        {progId, {nullptr, Description}},
        {progId + L"\\CLSID", {nullptr, ClassId}},
    };
    for (const auto& [key, value] : values)
        GS_RETURN_IF_FAILED(SetValue(root.get(), key, value.first, value.second));
    return S_OK;
}

bool RegisteredToThisModule(HKEY root) {
    wchar_t server[MAX_PATH * 2]{};
    DWORD bytes = sizeof(server) - sizeof(wchar_t);
    std::wstring key = std::wstring(ClassKey) + L"\\InprocServer32";
    if (::RegGetValueW(root, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, server, &bytes) !=
        ERROR_SUCCESS)
        return false;
    return ::lstrcmpiW(server, gs::ModuleFilePath(player::ModuleInstance()).c_str()) == 0;
}

HRESULT Unregister(bool perUser) {
    RegistryKey root;
    GS_RETURN_IF_FAILED(OpenClassesRoot(perUser, KEY_ALL_ACCESS, root));
    if (!RegisteredToThisModule(root.get()))
        return S_OK;
    LSTATUS classStatus = ::RegDeleteTreeW(root.get(), ClassKey);
    LSTATUS progStatus = ::RegDeleteTreeW(root.get(), gs::flash::ProgId);
    if (classStatus != ERROR_SUCCESS)
        return FromStatus(classStatus);
    return progStatus == ERROR_FILE_NOT_FOUND ? S_OK : FromStatus(progStatus);
}

} // namespace

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    return Register(false);
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    return Unregister(false);
}

// regsvr32 /i:user (/n /i:user without the machine-wide step) registers for the current
// user only; without a command line it does what DllRegisterServer does.
extern "C" HRESULT STDAPICALLTYPE DllInstall(BOOL install, LPCWSTR commandLine) {
    bool perUser = commandLine && ::lstrcmpiW(commandLine, L"user") == 0;
    if (commandLine && *commandLine && !perUser)
        return E_INVALIDARG;
    return install ? Register(perUser) : Unregister(perUser);
}
