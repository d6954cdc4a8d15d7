#include "frameset/frame_shifts.h"

#include <array>

namespace kadr {
namespace {

constexpr std::array<int, kDotRows> kFrameRowsOfDots{1, 2,  3,  4,  5,  6,  7,
                                                     9, 10, 11, 12, 13, 14, 15};

}  // namespace

void MoveToLeft(Frame& frame) {
    for (int c = 0; c < kColumns - 1; ++c) {
        for (int r : kFrameRowsOfDots) {
            frame[CellIndex(c, r)] = frame[CellIndex(c + 1, r)];
        }
    }
    for (int r : kFrameRowsOfDots) {
        frame[CellIndex(kColumns - 1, r)] = kDotBlank;
    }
}

void MoveToRight(Frame& frame) {
    for (int c = kColumns - 1; c > 0; --c) {
        for (int r : kFrameRowsOfDots) {
            frame[CellIndex(c, r)] = frame[CellIndex(c - 1, r)];
        }
    }
    for (int r : kFrameRowsOfDots) {
        frame[CellIndex(0, r)] = kDotBlank;
    }
}

void MoveToUp(Frame& frame) {
    for (int c = 0; c < kColumns; ++c) {
        for (std::size_t i = 0; i + 1 < kFrameRowsOfDots.size(); ++i) {
            frame[CellIndex(c, kFrameRowsOfDots[i])] = frame[CellIndex(c, kFrameRowsOfDots[i + 1])];
        }
        frame[CellIndex(c, kFrameRowsOfDots.back())] = kDotBlank;
    }
}

void MoveToDown(Frame& frame) {
    for (int c = 0; c < kColumns; ++c) {
        for (std::size_t i = kFrameRowsOfDots.size() - 1; i > 0; --i) {
            frame[CellIndex(c, kFrameRowsOfDots[i])] = frame[CellIndex(c, kFrameRowsOfDots[i - 1])];
        }
        frame[CellIndex(c, kFrameRowsOfDots.front())] = kDotBlank;
    }
}

}  // namespace kadr
