#pragma once
// What a window paints, read back: the window's own painting into a 32-bit memory
// bitmap (WM_PRINTCLIENT), as 0xRRGGBB at client points.
#include <windows.h>

#include "platform/win/Handles.h"

namespace gs::test {

class PaintedPixels {
public:
    explicit PaintedPixels(HWND window) {
        RECT client{};
        ::GetClientRect(window, &client);
        m_width = client.right;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = client.right;
        info.bmiHeader.biHeight = -client.bottom; // top-down rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        m_bitmap.reset(::CreateDIBSection(m_dc.get(), &info, DIB_RGB_COLORS, &m_bits, nullptr, 0));
        SelectedObject selected(m_dc.get(), m_bitmap.get());
        ::SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(m_dc.get()), PRF_CLIENT);
        ::GdiFlush();
    }
    DWORD At(int x, int y) const {
        return static_cast<const DWORD*>(m_bits)[y * m_width + x] & 0xFFFFFF;
    }

private:
    UniqueMemoryDC m_dc{::CreateCompatibleDC(nullptr)};
    UniqueBitmap m_bitmap;
    void* m_bits = nullptr;
    int m_width = 0;
};

} // namespace gs::test
