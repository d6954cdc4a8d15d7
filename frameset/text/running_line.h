#pragma once

#include <vector>

#include "frameset/document.h"
#include "frameset/frame_set.h"
#include "frameset/text/text_renderer.h"

namespace kadr::text {

// The running-line frames a picture of `width` columns needs, 28 columns each; the start and
// end frames come on top.
int LineFrameCount(int width);
inline int RunningLineFrameTotal(int width) {
    return LineFrameCount(width) + 2;
}

// The whole running line: a start frame, the picture cut into 28-column running-line frames
// (columns past its width blank), an end frame.
std::vector<Frame> RunningLineFrames(const TextPicture& picture);

enum class LineRefusal {
    None,
    EmptyText,
    TooLong,  // the set would pass its 256 frames
};

struct LineInsertion {
    LineRefusal refusal = LineRefusal::None;
    EditResult edit;
    int firstFrame = -1;  // the start frame, once inserted
    int added = 0;        // frames the line takes (or would take), start and end included
    int freeFrames = 0;   // frames the set had room for
};

// Puts the line into the document after its current frame (at the end when there is none) as
// one undo step, the start frame becoming current. A refusal changes nothing.
LineInsertion InsertRunningLine(Document& document, const RenderedText& text);

// What InsertRunningLine would answer, without changing anything.
LineInsertion CheckRunningLine(const Document& document, const RenderedText& text);

}  // namespace kadr::text
