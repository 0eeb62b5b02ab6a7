#pragma once
// Where the parts of a nine-grid image go: the corners unscaled, the edges stretched
// (or tiled) along one axis, the centre both ways. Portable.
#include <vector>

#include "platform/ui/ImageValue.h"

namespace DuiLib {

struct GridCell {
    ImageBox source; // image pixels
    ImageBox target; // device pixels
    bool tileX = false;
    bool tileY = false;
};

// The cells of `source` cut by `corner` into `target`, empty cells left out. Corners wider
// or taller than the target share it in proportion. With `hole`, no centre cell.
std::vector<GridCell> LayOutGrid(const ImageBox& source, const ImageBox& corner,
                                 const ImageBox& target, bool hole, bool tileX, bool tileY);

} // namespace DuiLib
