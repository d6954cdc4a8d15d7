#pragma once

#include <QIcon>

namespace kadr::editor {

// The pictures of the commands, indexed as the command table numbers them. They are drawn as
// vectors on a 16 x 16 grid, so they stay sharp at every size and screen scale.
namespace image_list {

inline constexpr int kCount = 17;

// Index 0..16; anything else gives a null icon.
QIcon Icon(int index);

}  // namespace image_list

}  // namespace kadr::editor
