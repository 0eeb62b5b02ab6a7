#include "shell/MaximiseRule.h"

#include <algorithm>

namespace gs {

namespace {

SIZE FillHeight(SIZE room, SIZE movie, SIZE chrome) {
    return {(room.cy - chrome.cy) * movie.cx / movie.cy + chrome.cx, room.cy};
}

SIZE FillWidth(SIZE room, SIZE movie, SIZE chrome) {
    return {room.cx, (room.cx - chrome.cx) * movie.cy / movie.cx + chrome.cy};
}

bool Inside(SIZE size, SIZE room) {
    return size.cx <= room.cx && size.cy <= room.cy;
}

} // namespace

SIZE AspectFitInside(SIZE room, SIZE movie, SIZE chrome, bool heightFirst) {
    if (movie.cx <= 0 || movie.cy <= 0)
        return room;
    SIZE first = heightFirst ? FillHeight(room, movie, chrome) : FillWidth(room, movie, chrome);
    if (Inside(first, room))
        return first;
    SIZE other = heightFirst ? FillWidth(room, movie, chrome) : FillHeight(room, movie, chrome);
    // Only a chrome larger than the room itself leaves both fits outside it.
    return {std::min(other.cx, room.cx), std::min(other.cy, room.cy)};
}

MaximisePlacement AspectKeepingMaximise(const RECT& monitor, const RECT& work, SIZE movie,
                                        SIZE chrome, POINT proposedSize) {
    const SIZE room{work.right - work.left, work.bottom - work.top};
    const SIZE size = AspectFitInside(room, movie, chrome, proposedSize.x > proposedSize.y);
    return {{size.cx, size.cy},
            {work.left - monitor.left + (room.cx - size.cx) / 2,
             work.top - monitor.top + (room.cy - size.cy) / 2}};
}

} // namespace gs
