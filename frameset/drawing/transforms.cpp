#include "frameset/drawing/transforms.h"

#include <utility>

#include "frameset/drawing/dot_cells.h"

namespace kadr {

void InvertDots(Frame& frame) {
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kDotRows; ++y) {
            std::uint8_t& value = frame[static_cast<std::size_t>(DotCellIndex({x, y}))];
            value = value == kDotSet ? kDotBlank : kDotSet;
        }
    }
}

void FlipHorizontal(Frame& frame) {
    for (int x = 0; x < kColumns / 2; ++x) {
        for (int y = 0; y < kDotRows; ++y) {
            std::swap(frame[static_cast<std::size_t>(DotCellIndex({x, y}))],
                      frame[static_cast<std::size_t>(DotCellIndex({kColumns - 1 - x, y}))]);
        }
    }
}

void FlipVertical(Frame& frame) {
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kDotRows / 2; ++y) {
            std::swap(frame[static_cast<std::size_t>(DotCellIndex({x, y}))],
                      frame[static_cast<std::size_t>(DotCellIndex({x, kDotRows - 1 - y}))]);
        }
    }
}

}  // namespace kadr
