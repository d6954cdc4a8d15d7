#pragma once

class QPainter;

namespace kadr::editor::image_list {

// Draws picture `index` of the command table on a 16 x 16 grid: 1-unit outlines on half units,
// so that they fall on whole pixels at every integral scale.
void DrawIcon(QPainter& painter, int index);

}  // namespace kadr::editor::image_list
