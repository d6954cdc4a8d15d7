#include "frameset/frame_order.h"

#include <algorithm>

namespace kadr {
namespace {

std::vector<int> Places(int from, int count) {
    std::vector<int> places(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        places[static_cast<std::size_t>(i)] = from + i;
    }
    return places;
}

// Where `current` stands among `selected`.
int IndexOf(const std::vector<int>& selected, int current) {
    const auto found = std::find(selected.begin(), selected.end(), current);
    return found == selected.end() ? 0 : static_cast<int>(found - selected.begin());
}

bool IsSelected(const std::vector<int>& selected, int frame) {
    return std::binary_search(selected.begin(), selected.end(), frame);
}

FrameOrder Unchanged(int count, const std::vector<int>& selected, int current) {
    return {Places(0, count), selected, current};
}

}  // namespace

bool FrameOrder::KeepsEveryFrame() const {
    for (std::size_t place = 0; place < frames.size(); ++place) {
        if (frames[place] != static_cast<int>(place)) {
            return false;
        }
    }
    return true;
}

FrameOrder WithoutSelected(int count, const std::vector<int>& selected) {
    FrameOrder order;
    for (int frame = 0; frame < count; ++frame) {
        if (!IsSelected(selected, frame)) {
            order.frames.push_back(frame);
        }
    }
    const int left = static_cast<int>(order.frames.size());
    // The frame after the deleted ones has slid down onto the place after the last kept frame
    // before them.
    const int after = selected.back() + 1 - static_cast<int>(selected.size());
    order.current = left == 0 ? -1 : std::min(after, left - 1);
    if (order.current >= 0) {
        order.selected = {order.current};
    }
    return order;
}

FrameOrder Dropped(int count, const std::vector<int>& selected, int current, int before,
                   bool copy) {
    before = std::clamp(before, 0, count);
    FrameOrder order;
    int at = 0;
    for (int frame = 0; frame < count; ++frame) {
        if (frame == before) {
            at = static_cast<int>(order.frames.size());
        }
        if (copy || !IsSelected(selected, frame)) {
            order.frames.push_back(frame);
        }
    }
    if (before == count) {
        at = static_cast<int>(order.frames.size());
    }
    order.frames.insert(order.frames.begin() + at, selected.begin(), selected.end());
    order.selected = Places(at, static_cast<int>(selected.size()));
    order.current = at + IndexOf(selected, current);
    return order;
}

FrameOrder BlockMoved(int count, const std::vector<int>& selected, int current, int direction) {
    // Left: the block starts where its left neighbour stood. Right: it ends where its right
    // neighbour stood, that is before the frame after that neighbour.
    const int before = direction < 0 ? std::max(0, selected.front() - 1) : selected.back() + 2;
    return Dropped(count, selected, current, before, false);
}

FrameOrder Reversed(int count, const std::vector<int>& selected, int current) {
    FrameOrder order = Unchanged(count, selected, current);
    const std::size_t k = selected.size();
    for (std::size_t i = 0; i < k; ++i) {
        order.frames[static_cast<std::size_t>(selected[i])] = selected[k - 1 - i];
    }
    return order;
}

FrameOrder PingPong(int count, const std::vector<int>& selected, int current) {
    const int k = static_cast<int>(selected.size());
    if (k < 3) {
        return Unchanged(count, selected, current);
    }
    FrameOrder order = Unchanged(count, selected, current);
    const int at = selected.back() + 1;
    std::vector<int> back;
    for (int i = k - 2; i >= 1; --i) {
        back.push_back(selected[static_cast<std::size_t>(i)]);
    }
    order.frames.insert(order.frames.begin() + at, back.begin(), back.end());
    order.selected = Places(at, k - 2);
    order.current = at;
    return order;
}

FrameOrder Repeated(int count, const std::vector<int>& selected, int current, int times) {
    FrameOrder order;
    for (int frame = 0; frame < count; ++frame) {
        const bool repeated = IsSelected(selected, frame);
        if (frame == current) {
            order.current = static_cast<int>(order.frames.size());
        }
        for (int copy = 0; copy < (repeated ? times : 1); ++copy) {
            if (repeated) {
                order.selected.push_back(static_cast<int>(order.frames.size()));
            }
            order.frames.push_back(frame);
        }
    }
    return order;
}

}  // namespace kadr
