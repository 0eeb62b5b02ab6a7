#pragma once
// A named block of shared memory that this process creates, owns and fills: the
// platform block "GL_ROOM_REC" and the handover block. It lives as long as the object.
#include "platform/win/Handles.h"

#include <cstdint>
#include <string>

namespace lobby {

class NamedBlock {
public:
    // An empty error on success. A block of that name that exists already is refused:
    // another lobby owns it, and sharing it would mix two launches.
    std::wstring Create(const std::wstring& name, std::size_t size);
    void Write(std::size_t offset, const void* bytes, std::size_t count);

private:
    gs::UniqueMapping m_mapping;
    gs::UniqueView m_view;
    std::size_t m_size = 0;
};

} // namespace lobby
