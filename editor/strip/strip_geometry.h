#pragma once

#include <algorithm>

#include <QRect>

namespace kadr::editor {

// A frame grid shows 28 columns and 15 rows: the lower mark row (frame row 8) is never shown.
inline constexpr int kGridColumns = 28;
inline constexpr int kGridRows = 15;
inline constexpr int kGridBorder = 2;
inline constexpr int kGridTop = 2;
inline constexpr int kFrameButtonHeight = 22;

// The scale list runs from "100 %" (index 0) down to "30 %" (index 7).
inline constexpr int kScaleCount = 8;
constexpr int CellSizeOfScale(int scaleIndex) {
    return 10 - scaleIndex;
}

// Counts how many slots fit; a frame button is this wide, one pixel wider than its grid.
constexpr int SlotStride(int cellSize) {
    return 28 * cellSize + 33;
}
// Every cell is followed by a 1-pixel grid line, the last one included, inside a 2-pixel border.
constexpr int GridWidth(int cellSize) {
    return (cellSize + 1) * kGridColumns + 2 * kGridBorder;
}
constexpr int GridHeight(int cellSize) {
    return (cellSize + 1) * kGridRows + 2 * kGridBorder;
}
constexpr int GridLeft(int slot, int cellSize) {
    return 2 + slot * GridWidth(cellSize);
}
constexpr int FrameButtonTop(int cellSize) {
    return 15 * cellSize + 25;
}
constexpr int StripPanelHeight(int cellSize) {
    return GridHeight(cellSize) + 35;
}

// Grid rows 0..7 are frame rows 0..7, grid rows 8..14 frame rows 9..15.
constexpr int FrameRowOfGridRow(int gridRow) {
    return gridRow < 8 ? gridRow : gridRow + 1;
}

// The square of one cell in grid pixels, grid lines and border excluded.
inline QRect GridCellRect(int cellSize, int column, int gridRow) {
    return QRect(kGridBorder + column * (cellSize + 1), kGridBorder + gridRow * (cellSize + 1),
                 cellSize, cellSize);
}

// How many slots a rebuild makes and how the scroll bar is set.
struct SlotPlan {
    int lastSlot;       // -1: no slot at all
    int scrollMaximum;  // first visible frame ranges over 0..scrollMaximum
    bool scrollEnabled;
};

constexpr SlotPlan PlanSlots(int lastFrame, int panelWidth, int cellSize) {
    const int stride = SlotStride(cellSize);
    // Strict: a strip that exactly fits every frame still gets an enabled bar.
    if ((lastFrame + 1) * stride < panelWidth) {
        return {lastFrame, 0, false};
    }
    const int lastSlot = panelWidth / stride - 1;
    return {lastSlot, lastFrame - lastSlot, true};
}

// Dragging frames along the strip. The gap a drop at panel pixel column `x` goes into: 0 before
// slot 0, k between slots k - 1 and k, slotCount after the last slot. The nearer edge of the grid
// under the pointer wins.
constexpr int DropGap(int x, int cellSize, int slotCount) {
    const int width = GridWidth(cellSize);
    const int fromFirst = x - GridLeft(0, cellSize) + width / 2;
    return fromFirst < 0 ? 0 : std::min(fromFirst / width, slotCount);
}
// The insertion mark: a bar this wide, centred on the line between two grids.
inline constexpr int kDropMarkWidth = 4;
constexpr int DropMarkLeft(int gap, int cellSize) {
    return GridLeft(gap, cellSize) - kDropMarkWidth / 2;
}
// While the pointer waits this close to either end of the panel the strip scrolls that way: -1
// left, +1 right, 0 not at all.
constexpr int DragScrollMargin(int cellSize) {
    return std::max(12, GridWidth(cellSize) / 6);
}
constexpr int DragScrollDirection(int x, int panelWidth, int cellSize) {
    const int margin = DragScrollMargin(cellSize);
    return x < margin ? -1 : (x >= panelWidth - margin ? 1 : 0);
}

}  // namespace kadr::editor
