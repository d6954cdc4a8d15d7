#include "frameset/drawing/shapes.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace kadr {

DotCells LineCells(DotCell a, DotCell b) {
    DotCells cells;
    const int dx = std::abs(b.x - a.x);
    const int dy = -std::abs(b.y - a.y);
    const int sx = a.x < b.x ? 1 : -1;
    const int sy = a.y < b.y ? 1 : -1;
    int error = dx + dy;
    DotCell at = a;
    for (;;) {
        if (InPicture(at)) {
            cells.push_back(at);
        }
        if (at == b) {
            break;
        }
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            at.x += sx;
        }
        if (twice <= dx) {
            error += dx;
            at.y += sy;
        }
    }
    return cells;
}

DotCells RectangleCells(DotCell a, DotCell b) {
    const int left = std::min(a.x, b.x);
    const int right = std::max(a.x, b.x);
    const int top = std::min(a.y, b.y);
    const int bottom = std::max(a.y, b.y);
    DotCells cells;
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            const bool edge = y == top || y == bottom || x == left || x == right;
            if (edge && InPicture({x, y})) {
                cells.push_back({x, y});
            }
        }
    }
    return cells;
}

DotCells BoxCells(DotCell a, DotCell b) {
    DotCells cells;
    for (int y = std::min(a.y, b.y); y <= std::max(a.y, b.y); ++y) {
        for (int x = std::min(a.x, b.x); x <= std::max(a.x, b.x); ++x) {
            if (InPicture({x, y})) {
                cells.push_back({x, y});
            }
        }
    }
    return cells;
}

DotCells RegionCells(const Frame& frame, DotCell seed) {
    DotCells region;
    if (!InPicture(seed)) {
        return region;
    }
    // A cell counts as set only when it holds 0, as the painter shows it.
    const auto isSet = [&frame](DotCell cell) { return frame[DotCellIndex(cell)] == kDotSet; };
    const bool wanted = isSet(seed);
    std::array<bool, kColumns * kDotRows> seen{};
    const auto mark = [&seen](DotCell cell) -> bool& {
        return seen[static_cast<std::size_t>(cell.y * kColumns + cell.x)];
    };
    DotCells pending{seed};
    mark(seed) = true;
    while (!pending.empty()) {
        const DotCell cell = pending.back();
        pending.pop_back();
        region.push_back(cell);
        const std::array<DotCell, 4> around{
            DotCell{cell.x - 1, cell.y}, DotCell{cell.x + 1, cell.y}, DotCell{cell.x, cell.y - 1},
            DotCell{cell.x, cell.y + 1}};
        for (const DotCell next : around) {
            if (InPicture(next) && !mark(next) && isSet(next) == wanted) {
                mark(next) = true;
                pending.push_back(next);
            }
        }
    }
    // Reading order, so that callers and tests see one order whatever the search took.
    std::sort(region.begin(), region.end(),
              [](DotCell p, DotCell q) { return p.y != q.y ? p.y < q.y : p.x < q.x; });
    return region;
}

}  // namespace kadr
