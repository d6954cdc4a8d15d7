#include "frameset/drawing/paint.h"

namespace kadr {

void PaintCells(Frame& frame, const DotCells& cells, Paint paint) {
    for (const DotCell cell : cells) {
        if (!InPicture(cell)) {
            continue;
        }
        std::uint8_t& value = frame[static_cast<std::size_t>(DotCellIndex(cell))];
        switch (paint) {
            case Paint::Set:
                value = kDotSet;
                break;
            case Paint::Clear:
                value = kDotBlank;
                break;
            case Paint::Toggle:
                value = value == kDotSet ? kDotBlank : kDotSet;
                break;
        }
    }
}

}  // namespace kadr
