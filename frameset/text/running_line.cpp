#include "frameset/text/running_line.h"

#include "frameset/drawing/dot_cells.h"
#include "frameset/frame_kinds.h"

namespace kadr::text {

int LineFrameCount(int width) {
    return width <= 0 ? 0 : (width + kColumns - 1) / kColumns;
}

std::vector<Frame> RunningLineFrames(const TextPicture& picture) {
    const int count = LineFrameCount(picture.width);
    std::vector<Frame> frames(static_cast<std::size_t>(count) + 2);
    SetBegStr(frames.front());
    for (int k = 0; k < count; ++k) {
        Frame& frame = frames[static_cast<std::size_t>(k) + 1];
        FillBlank(frame);
        SetStr(frame);
        for (int column = 0; column < kColumns; ++column) {
            const int source = k * kColumns + column;
            if (source >= picture.width) {
                break;
            }
            for (int row = 0; row < kDotRows; ++row) {
                if (picture.Ink(source, row)) {
                    frame[static_cast<std::size_t>(DotCellIndex({column, row}))] = kDotSet;
                }
            }
        }
    }
    SetEndStr(frames.back());
    return frames;
}

LineInsertion CheckRunningLine(const Document& document, const RenderedText& text) {
    LineInsertion result;
    result.freeFrames = kMaxFrames - document.Set().FrameCount();
    result.added = text.characters > 0 ? RunningLineFrameTotal(text.picture.width) : 0;
    if (text.characters <= 0) {
        result.refusal = LineRefusal::EmptyText;
    } else if (result.added > result.freeFrames) {
        result.refusal = LineRefusal::TooLong;
    }
    if (result.refusal != LineRefusal::None) {
        result.edit = {EditStatus::Full, Redraw::None};
    }
    return result;
}

LineInsertion InsertRunningLine(Document& document, const RenderedText& text) {
    LineInsertion result = CheckRunningLine(document, text);
    if (result.refusal != LineRefusal::None) {
        return result;
    }
    result.edit = document.InsertFramesAfterCurrent(RunningLineFrames(text.picture));
    if (result.edit.Applied()) {
        result.firstFrame = document.Set().CurFrame;
    } else {
        result.refusal = LineRefusal::TooLong;
    }
    return result;
}

}  // namespace kadr::text
