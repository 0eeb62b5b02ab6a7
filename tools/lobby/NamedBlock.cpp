#include "tools/lobby/NamedBlock.h"

#include <cstring>

namespace lobby {

static std::wstring Failure(const std::wstring& what, const std::wstring& name) {
    return what + L" \"" + name + L"\" (error " + std::to_wstring(::GetLastError()) + L")";
}

std::wstring NamedBlock::Create(const std::wstring& name, std::size_t size) {
    m_mapping.reset(::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                         static_cast<DWORD>(size), name.c_str()));
    if (!m_mapping)
        return Failure(L"cannot create the block", name);
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        m_mapping.reset();
        return L"the block \"" + name + L"\" exists already: is another lobby running?";
    }
    m_view.reset(::MapViewOfFile(m_mapping.get(), FILE_MAP_WRITE, 0, 0, size));
    if (!m_view)
        return Failure(L"cannot map the block", name);
    m_size = size;
    return std::wstring();
}

void NamedBlock::Write(std::size_t offset, const void* bytes, std::size_t count) {
    if (!m_view || offset > m_size || count > m_size - offset)
        return;
    auto* view = static_cast<unsigned char*>(const_cast<void*>(m_view.get()));
    std::memcpy(view + offset, bytes, count);
}

} // namespace lobby
