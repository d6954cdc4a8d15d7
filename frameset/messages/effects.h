#pragma once

#include <optional>
#include <vector>

#include "frameset/messages/message.h"
#include "frameset/playback/timeline.h"

namespace kadr::messages {

// Messages are made on the display picture: the 28 x 14 dots the drawing tools and the playback
// see, row 6 directly above row 7.
using playback::Picture;

// The columns a..b and rows t..u that hold a picture's ink; nothing for an empty picture.
struct InkBounds {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};
std::optional<InkBounds> InkOf(const Picture& picture);

// Every dot moved dx columns right and dy rows down; dots moved off the picture are lost.
Picture Shifted(const Picture& picture, int dx, int dy);
// The picture's dots in columns first..last only (clipped to the picture).
Picture ColumnsOnly(const Picture& picture, int first, int last);

// A still text's rest picture R and where each of its characters ends, which the typewriter
// needs: characterEnds[n - 1] is the display column just right of the n-th character.
struct RestPicture {
    Picture picture;
    std::vector<int> characterEnds;
};

// The frames before the first R and after the last, in order. The effects of the house table
// (scrolls and wipes) give exactly its frames; open, close, typewriter and dissolve give R with
// some of its dots, never R itself, never an empty picture and never two equal neighbours. An
// empty R comes and goes without frames. Typewriter leaves without frames.
std::vector<Picture> EntryPictures(Effect effect, const RestPicture& rest);
std::vector<Picture> ExitPictures(Effect effect, const RestPicture& rest);

// How many steps dissolve spreads its dots over, R's own frame included.
inline constexpr int kDissolveSteps = 14;

}  // namespace kadr::messages
