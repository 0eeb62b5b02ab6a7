#include "shell/MaximiseRule.h"

namespace gs {

MaximisePlacement AspectKeepingMaximise(const RECT& work, SIZE movie, SIZE chrome,
                                        POINT proposedSize) {
    MaximisePlacement placement{};
    if (movie.cx <= 0 || movie.cy <= 0)
        return {{work.right, work.bottom}, {work.left, work.top}};
    if (proposedSize.x > proposedSize.y) {
        LONG width = (work.bottom - chrome.cy) * movie.cx / movie.cy + chrome.cx;
        placement.size = {width, work.bottom};
        placement.position = {(work.right - width) / 2 + work.left, work.top};
    } else {
        LONG height = (work.right - chrome.cx) * movie.cy / movie.cx + chrome.cy;
        placement.size = {work.right, height};
        placement.position = {work.left, (work.bottom - height) / 2 + work.top};
    }
    return placement;
}

} // namespace gs
