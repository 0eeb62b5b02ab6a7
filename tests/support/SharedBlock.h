#pragma once
// Named file mappings made by a test as the platform makes them.
#include "platform/win/Handles.h"

#include <cstddef>
#include <cstring>

namespace gs::test {

class SharedBlock {
public:
    SharedBlock(const char* name, size_t bytes)
        : m_mapping(::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                         static_cast<DWORD>(bytes), name)),
          m_view(m_mapping ? ::MapViewOfFile(m_mapping.get(), FILE_MAP_WRITE, 0, 0, bytes)
                           : nullptr) {}
    explicit operator bool() const { return static_cast<bool>(m_view); }
    char* bytes() const { return static_cast<char*>(const_cast<void*>(m_view.get())); }
    void Write(size_t offset, const void* data, size_t length) const {
        std::memcpy(bytes() + offset, data, length);
    }

private:
    UniqueMapping m_mapping;
    UniqueView m_view;
};

} // namespace gs::test
