// Copy, Cut and Paste of the selected frames.
#include "frameset/document.h"
#include "frameset/frames_payload.h"

namespace kadr {

bool Document::Copy(FrameClipboard& clipboard) const {
    if (!set_->HasCurrentFrame()) {
        return false;
    }
    std::vector<Frame> frames;
    Selection().ForEach([this, &frames](int frame) {
        frames.push_back(set_->Frames[static_cast<std::size_t>(frame)]);
    });
    clipboard.Write(frames.front(), EncodeFramesPayload(frames));
    return true;
}

EditResult Document::Cut(FrameClipboard& clipboard) {
    // A copy that fails (the clipboard held elsewhere) throws before anything is deleted.
    if (!Copy(clipboard)) {
        return {EditStatus::NoCurrentFrame, Redraw::None};
    }
    return Delete();
}

EditResult Document::Paste(FrameClipboard& clipboard) {
    FrameSet& set = *set_;
    if (!set.HasCurrentFrame()) {
        return {EditStatus::NoCurrentFrame, Redraw::None};
    }
    // Several frames are read whole, and refused, before anything is recorded.
    if (const auto block = clipboard.ReadFrames()) {
        const std::vector<Frame> frames = DecodeFramesPayload(*block);
        if (frames.size() > 1) {
            return InsertFrames(set.CurFrame + 1, frames, true);
        }
    }
    const Glance before = Look();
    history_->RecordUndo(set);
    try {
        if (clipboard.OffersFrame()) {
            Frame pasted{};
            ApplyPayload(clipboard.ReadFrame(), pasted);
            Selection().ForEach([&set, &pasted](int frame) {
                set.Frames[static_cast<std::size_t>(frame)] = pasted;
            });
        }
    } catch (...) {
        // The step is recorded even so: Undo has something to take back.
        Publish(before, 0U, Redraw::None);
        throw;
    }
    return Published(before, {EditStatus::Done, Redraw::Repaint});
}

}  // namespace kadr
