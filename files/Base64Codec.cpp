#include "files/Base64Codec.h"

#include "codec/Base64.h"
#include "platform/win/ModulePath.h"
#include "platform/win/ProcedureOf.h"

#include <string>

namespace {

HMODULE LoadFromTrustedFolders() {
    std::wstring beside = gs::ModuleFolder(nullptr) + L"Base64.dll";
    if (HMODULE module = ::LoadLibraryExW(beside.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH))
        return module;
    return ::LoadLibraryExW(L"Base64.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

} // namespace

bool Base64Codec::Load() {
    if (!m_module)
        m_module.reset(LoadFromTrustedFolders());
    return static_cast<bool>(m_module);
}

BOOL Base64Codec::Free() {
    if (!m_module)
        return FALSE;
    return ::FreeLibrary(m_module.release());
}

template <typename Proc> Proc Base64Codec::Find(const char* name) {
    if (!Load())
        return nullptr;
    return gs::ProcedureOf<Proc>(m_module.get(), name);
}

int Base64Codec::CharsNeededToEncode(int byteCount) {
    auto entry = Find<CharsNeededToEncodeProc>("CharsNeededToEncode");
    return entry ? entry(byteCount) : 0;
}

int Base64Codec::BytesNeededToDecode(int charCount, int reserved) {
    auto entry = Find<BytesNeededToDecodeProc>("BytesNeededToDecode");
    return entry ? entry(charCount, reserved) : 0;
}

int Base64Codec::Base64EncodeW(const unsigned char* source, int sourceBytes, wchar_t* destination,
                               int destinationBytes) {
    auto entry = Find<Base64EncodeWProc>("Base64EncodeW");
    return entry ? entry(source, sourceBytes, destination, destinationBytes) : 0;
}

int Base64Codec::Base64DecodeW(const wchar_t* source, unsigned char* destination,
                               int destinationBytes) {
    auto entry = Find<Base64DecodeWProc>("Base64DecodeW");
    return entry ? entry(source, destination, destinationBytes) : 0;
}
