#pragma once
// Where a maximised main window goes: as large as the monitor's work area allows while
// the movie keeps its aspect. Signed 32-bit arithmetic, each product formed before its
// division, divisions truncating toward zero.
#include <windows.h>

namespace gs {

struct MaximisePlacement {
    POINT size;
    POINT position;
};

// `work` is the work area relative to the monitor's top-left corner; the orientation
// of `proposedSize` (the system's proposed maximum size) picks the fit.
MaximisePlacement AspectKeepingMaximise(const RECT& work, SIZE movie, SIZE chrome,
                                        POINT proposedSize);

} // namespace gs
