#pragma once

#include <memory>
#include <vector>

namespace kadr {

// What a view of the frames has to do once a command has changed the document.
enum class Redraw {
    None,
    Repaint,                // frame contents changed, the number of frames did not
    Rebuild,                // the number of frames may have changed
    RebuildToEnd,           // as Rebuild, then show the end of the strip (the appended frame)
    RepaintShowingCurrent,  // as Repaint, then scroll the current frame into view (it moved)
    RebuildShowingCurrent,  // as Rebuild, showing the frames from the current one on (inserted)
};

// The view's frame slots may no longer match the number of frames.
inline bool Rebuilds(Redraw redraw) {
    return redraw == Redraw::Rebuild || redraw == Redraw::RebuildToEnd ||
           redraw == Redraw::RebuildShowingCurrent;
}

// The parts of a document a command can change, as bits of DocumentChange::aspects.
namespace aspect {
inline constexpr unsigned kFrames = 1U << 0;        // dots or kind marks of frames
inline constexpr unsigned kFrameCount = 1U << 1;    // frames added or removed
inline constexpr unsigned kCurrentFrame = 1U << 2;  // another frame became current
inline constexpr unsigned kPlayback = 1U << 3;      // speeds or orientation
inline constexpr unsigned kFile = 1U << 4;          // the file name or the modified state
inline constexpr unsigned kHistory = 1U << 5;       // what Undo and Redo can do
inline constexpr unsigned kSelection = 1U << 6;     // which frames are selected
}  // namespace aspect

// One command's change, told once, after the document has taken it.
struct DocumentChange {
    unsigned aspects = 0;
    Redraw redraw = Redraw::None;
    bool Has(unsigned part) const { return (aspects & part) != 0; }
};

class DocumentObserver {
  public:
    virtual ~DocumentObserver() = default;
    virtual void DocumentChanged(const DocumentChange& change) = 0;
};

// The observers of one document. A subscription ends when its handle goes, whichever of the
// document and the observer goes first.
class DocumentObservers {
    struct Registry {
        std::vector<DocumentObserver*> observers;
    };

  public:
    class Subscription {
      public:
        Subscription() = default;
        Subscription(std::weak_ptr<Registry> registry, DocumentObserver* observer)
            : registry_(std::move(registry)), observer_(observer) {}
        Subscription(Subscription&& other) noexcept { *this = std::move(other); }
        Subscription& operator=(Subscription&& other) noexcept;
        Subscription(const Subscription&) = delete;
        Subscription& operator=(const Subscription&) = delete;
        ~Subscription() { End(); }
        void End();

      private:
        std::weak_ptr<Registry> registry_;
        DocumentObserver* observer_ = nullptr;
    };

    [[nodiscard]] Subscription Add(DocumentObserver& observer);
    // Tells every observer; one that a call before it ended is not told.
    void Notify(const DocumentChange& change) const;

  private:
    std::shared_ptr<Registry> registry_ = std::make_shared<Registry>();
};

}  // namespace kadr
