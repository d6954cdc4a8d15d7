#include "frameset/document_change.h"

#include <algorithm>

namespace kadr {

DocumentObservers::Subscription& DocumentObservers::Subscription::operator=(
    Subscription&& other) noexcept {
    if (this != &other) {
        End();
        registry_ = std::move(other.registry_);
        observer_ = other.observer_;
        other.observer_ = nullptr;
    }
    return *this;
}

void DocumentObservers::Subscription::End() {
    if (const auto registry = registry_.lock()) {
        std::erase(registry->observers, observer_);
    }
    registry_.reset();
    observer_ = nullptr;
}

DocumentObservers::Subscription DocumentObservers::Add(DocumentObserver& observer) {
    registry_->observers.push_back(&observer);
    return Subscription(registry_, &observer);
}

void DocumentObservers::Notify(const DocumentChange& change) const {
    if (change.aspects == 0) {
        return;
    }
    // An observer may end its own or another's subscription while it is told.
    const std::vector<DocumentObserver*> told = registry_->observers;
    for (DocumentObserver* observer : told) {
        const auto& now = registry_->observers;
        if (std::find(now.begin(), now.end(), observer) != now.end()) {
            observer->DocumentChanged(change);
        }
    }
}

}  // namespace kadr
