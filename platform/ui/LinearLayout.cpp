#include "platform/ui/LinearLayout.h"

#include <algorithm>

#include "platform/ui/ControlUI.h"

namespace DuiLib {

namespace {

// The two axes of a rectangle, so that one routine serves both directions.
struct Axis {
    bool vertical;

    LONG Start(const RECT& rc) const { return vertical ? rc.top : rc.left; }
    LONG Length(const RECT& rc) const { return vertical ? rc.bottom - rc.top : rc.right - rc.left; }
    LONG CrossStart(const RECT& rc) const { return vertical ? rc.left : rc.top; }
    LONG CrossLength(const RECT& rc) const { return Axis{!vertical}.Length(rc); }
    LONG Lead(const RECT& m) const { return vertical ? m.top : m.left; }
    LONG Trail(const RECT& m) const { return vertical ? m.bottom : m.right; }
    LONG CrossLead(const RECT& m) const { return vertical ? m.left : m.top; }
    LONG CrossTrail(const RECT& m) const { return vertical ? m.right : m.bottom; }
    int Fixed(const CControlUI& c) const {
        return vertical ? c.GetFixedHeight() : c.GetFixedWidth();
    }
    int CrossFixed(const CControlUI& c) const { return Axis{!vertical}.Fixed(c); }

    RECT Make(long start, long length, long crossStart, long crossLength) const {
        if (vertical)
            return RECT{crossStart, start, crossStart + crossLength, start + length};
        return RECT{start, crossStart, start + length, crossStart + crossLength};
    }
};

} // namespace

void ArrangeInLine(const std::vector<std::unique_ptr<CControlUI>>& children, const CDuiRect& area,
                   int gap, bool vertical) {
    Axis axis{vertical};
    std::vector<CControlUI*> visible;
    for (const auto& child : children) {
        if (child->IsVisible() && !child->IsFloat())
            visible.push_back(child.get());
    }
    long long taken = 0;
    int stretching = 0;
    for (CControlUI* child : visible) {
        const RECT& pad = child->GetPadding();
        taken += axis.Fixed(*child) + axis.Lead(pad) + axis.Trail(pad);
        stretching += axis.Fixed(*child) == 0 ? 1 : 0;
    }
    if (!visible.empty())
        taken += static_cast<long long>(gap) * static_cast<long long>(visible.size() - 1);
    long left = static_cast<long>(std::max(0LL, axis.Length(area) - taken));
    long share = stretching ? left / stretching : 0;
    long remainder = stretching ? left % stretching : 0;

    long pos = axis.Start(area);
    for (CControlUI* child : visible) {
        const RECT& pad = child->GetPadding();
        long length = axis.Fixed(*child);
        if (length == 0)
            length = share + (--stretching == 0 ? remainder : 0);
        long cross = axis.CrossFixed(*child);
        if (cross == 0)
            cross =
                std::max(0L, axis.CrossLength(area) - axis.CrossLead(pad) - axis.CrossTrail(pad));
        pos += axis.Lead(pad);
        child->SetPos(axis.Make(pos, length, axis.CrossStart(area) + axis.CrossLead(pad), cross));
        pos += length + axis.Trail(pad) + gap;
    }
}

} // namespace DuiLib
