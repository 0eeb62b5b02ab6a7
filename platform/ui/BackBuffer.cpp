#include "platform/ui/BackBuffer.h"

#include <algorithm>

namespace DuiLib {

HDC BackBuffer::Prepare(SIZE size) {
    if (m_dc && m_bitmap && size.cx <= m_size.cx && size.cy <= m_size.cy)
        return m_dc.get();
    SIZE grown{std::max(size.cx, m_size.cx), std::max(size.cy, m_size.cy)};
    m_selection.reset();
    m_bitmap.reset();
    m_size = SIZE{};
    if (!m_dc)
        m_dc.reset(::CreateCompatibleDC(nullptr));
    BITMAPINFO info{};
    // Top-down rows.
    info.bmiHeader = {sizeof info.bmiHeader, grown.cx, -grown.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    if (m_dc)
        m_bitmap.reset(::CreateDIBSection(m_dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!m_bitmap)
        return nullptr;
    m_selection.emplace(m_dc.get(), m_bitmap.get());
    m_size = grown;
    return m_dc.get();
}

} // namespace DuiLib
