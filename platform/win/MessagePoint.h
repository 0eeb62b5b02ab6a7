#pragma once
// The point a mouse or hit-test message carries in its lParam. Each half is signed: on a
// second monitor left of or above the first, screen coordinates are negative.
#include <windows.h>

#include <windowsx.h>

namespace gs {

inline POINT PointFromLParam(LPARAM lParam) {
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

} // namespace gs
