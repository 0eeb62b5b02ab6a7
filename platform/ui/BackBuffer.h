#pragma once
// The paint manager's off-screen surface: a 32-bit DIB section kept selected into a
// memory DC for the window's life and grown when the client area outgrows it, so that
// a paint draws into it without making a bitmap. 32 bits whatever the screen, so that
// what is drawn does not lose colour before it reaches the window.
#include <optional>

#include "platform/win/Handles.h"

namespace DuiLib {

class BackBuffer {
public:
    // A DC of at least size, or null when the surface cannot be made.
    HDC Prepare(SIZE size);

private:
    // Released in reverse: the bitmap leaves the DC before either is deleted.
    gs::UniqueMemoryDC m_dc;
    gs::UniqueBitmap m_bitmap;
    std::optional<gs::SelectedObject> m_selection;
    SIZE m_size{};
};

} // namespace DuiLib
