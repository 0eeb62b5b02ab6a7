#pragma once
// Memory that ends right before a page that may not be read: whatever is placed at its
// end is followed by no readable byte, so a read past it faults at once.
#include <windows.h>

#include <cstddef>
#include <cstring>

namespace gs::test {

class GuardedMemory {
public:
    // At least `bytes` bytes of read-write memory, followed by the no-access page.
    explicit GuardedMemory(std::size_t bytes) {
        SYSTEM_INFO system;
        ::GetSystemInfo(&system);
        const std::size_t page = system.dwPageSize;
        const std::size_t usable = (bytes + page - 1) / page * page;
        m_memory = static_cast<BYTE*>(
            ::VirtualAlloc(nullptr, usable + page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        DWORD old = 0;
        if (m_memory && ::VirtualProtect(m_memory + usable, page, PAGE_NOACCESS, &old))
            m_end = m_memory + usable;
    }
    GuardedMemory(const GuardedMemory&) = delete;
    GuardedMemory& operator=(const GuardedMemory&) = delete;
    ~GuardedMemory() {
        if (m_memory)
            (void)::VirtualFree(m_memory, 0, MEM_RELEASE);
    }

    explicit operator bool() const { return m_end != nullptr; }
    // Copies `count` elements so that the last one ends at the no-access page.
    template <typename T> T* PlaceAtEnd(const T* data, std::size_t count) const {
        T* start = reinterpret_cast<T*>(m_end) - count;
        std::memcpy(start, data, count * sizeof(T));
        return start;
    }

private:
    BYTE* m_memory = nullptr;
    BYTE* m_end = nullptr;
};

} // namespace gs::test
