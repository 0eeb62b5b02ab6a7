#include "platform/ui/NineGrid.h"

#include <array>

namespace DuiLib {

namespace {

// Three spans along one axis: the leading corner, the middle, the trailing corner.
struct Spans {
    std::array<int, 4> source;
    std::array<int, 4> target;
};

Spans CutAxis(int sourceFrom, int sourceTo, int lead, int trail, int targetFrom, int targetTo) {
    const int length = targetTo - targetFrom;
    if (lead + trail > length && lead + trail > 0) {
        const int shared = static_cast<int>(static_cast<long long>(length) * lead / (lead + trail));
        return {{sourceFrom, sourceFrom + lead, sourceTo - trail, sourceTo},
                {targetFrom, targetFrom + shared, targetFrom + shared, targetTo}};
    }
    return {{sourceFrom, sourceFrom + lead, sourceTo - trail, sourceTo},
            {targetFrom, targetFrom + lead, targetTo - trail, targetTo}};
}

} // namespace

std::vector<GridCell> LayOutGrid(const ImageBox& source, const ImageBox& corner,
                                 const ImageBox& target, bool hole, bool tileX, bool tileY) {
    const Spans x =
        CutAxis(source.left, source.right, corner.left, corner.right, target.left, target.right);
    const Spans y =
        CutAxis(source.top, source.bottom, corner.top, corner.bottom, target.top, target.bottom);
    std::vector<GridCell> cells;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            if (hole && row == 1 && column == 1)
                continue;
            GridCell cell{
                {x.source[column], y.source[row], x.source[column + 1], y.source[row + 1]},
                {x.target[column], y.target[row], x.target[column + 1], y.target[row + 1]},
                tileX && column == 1,
                tileY && row == 1};
            if (cell.source.left < cell.source.right && cell.source.top < cell.source.bottom &&
                cell.target.left < cell.target.right && cell.target.top < cell.target.bottom)
                cells.push_back(cell);
        }
    }
    return cells;
}

} // namespace DuiLib
