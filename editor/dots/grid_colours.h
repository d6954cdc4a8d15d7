#pragma once

#include <QColor>

namespace kadr::editor {

// The colours of a frame grid, shared by the strip that paints the grids and the previews that
// show frames as the grids will (the import's). Clear dots of frames without a tint keep the
// grid's background.
namespace cell_colours {
inline const QColor kGridLine{192, 192, 192};
inline const QColor kModuleStripe{0, 0, 255};
inline const QColor kSetDot{0, 0, 0};
inline const QColor kMarkSet{128, 128, 128};
inline const QColor kMarkClear{230, 227, 225};
inline const QColor kStartTint{151, 239, 255};
inline const QColor kEndTint{255, 185, 220};
// The previous frame's dots behind this one's: lighter than every other colour of the grid.
inline const QColor kOnionSkin{200, 200, 200};
// The edge of a selected frame's grid, and of the current one among several: orange, far from the
// cyan and pink tints, the blue stripes and the greys.
inline const QColor kSelectedEdge{255, 140, 0};
inline const QColor kCurrentEdge{190, 60, 0};
}  // namespace cell_colours

}  // namespace kadr::editor
