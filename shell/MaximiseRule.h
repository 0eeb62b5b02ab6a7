#pragma once
// Where the main window goes when it is maximised, and what size it opens at on a screen
// too small for it: as large as the monitor's work area allows while the movie keeps its
// aspect. Signed 32-bit arithmetic, each product formed before its division, divisions
// truncating toward zero.
#include <windows.h>

namespace gs {

struct MaximisePlacement {
    POINT size;
    POINT position; // relative to the monitor's top-left corner
};

// The window whose movie fills `room` in one direction, the height first when asked,
// with the movie's aspect kept and `chrome` added. Where that fit would leave the room
// the other direction is filled instead, so the result always lies inside `room`.
SIZE AspectFitInside(SIZE room, SIZE movie, SIZE chrome, bool heightFirst);

// `monitor` and `work` are the monitor's rectangle and work area (virtual-screen
// coordinates). The orientation of `proposedSize` (the system's proposed maximum size)
// picks the fit tried first; the result is centred on the work area.
MaximisePlacement AspectKeepingMaximise(const RECT& monitor, const RECT& work, SIZE movie,
                                        SIZE chrome, POINT proposedSize);

} // namespace gs
