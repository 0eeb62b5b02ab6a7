#pragma once
// Named file mappings made by a test as the platform makes them.
#include "platform/win/Handles.h"

#include <cstddef>
#include <cstring>
#include <string>

namespace gs::test {

class SharedBlock {
public:
    SharedBlock(const char* name, size_t bytes) {
        m_mapping.reset(::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                             static_cast<DWORD>(bytes), name));
        if (m_mapping)
            m_view.reset(::MapViewOfFile(m_mapping.get(), FILE_MAP_WRITE, 0, 0, bytes));
        m_bytes = bytes;
    }
    explicit operator bool() const { return static_cast<bool>(m_view); }
    char* bytes() const { return static_cast<char*>(const_cast<void*>(m_view.get())); }
    void Write(size_t offset, const void* data, size_t length) const {
        std::memcpy(bytes() + offset, data, length);
    }
    size_t size() const { return m_bytes; }

private:
    UniqueMapping m_mapping;
    UniqueView m_view;
    size_t m_bytes = 0;
};

} // namespace gs::test
