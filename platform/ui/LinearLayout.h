#pragma once
// Arrangement of a container's visible children in one line, shared by the vertical and
// horizontal layouts. Along the line a child takes its fixed size, or, when it has none,
// an equal share of what the fixed children, the paddings and the gaps leave (the last
// stretching child takes the rounding remainder); floating children take no part. Across
// the line a child fills the area less its padding, or takes its fixed size from the
// leading edge.
#include <memory>
#include <vector>

#include "platform/ui/UIDefs.h"

namespace DuiLib {

void ArrangeInLine(const std::vector<std::unique_ptr<CControlUI>>& children, const CDuiRect& area,
                   int gap, bool vertical);

} // namespace DuiLib
