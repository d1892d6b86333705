// The regions of a zoomed slide too large to keep whole at the scale it is shown at.
#include "viewer/view/slide_picture_cache.h"

#include <utility>

namespace {

// Boxes a region's decode might raise are dropped: the view falls back to the whole picture.
class DroppedMessages final : public platform::MessageSink {
public:
    platform::MessageAnswer Show(const platform::Message&) override { return platform::MessageAnswer::Ok; }
};

bool Contains(const Rect& outer, const Rect& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

}  // namespace

std::size_t SlidePictureCache::WholePictureLimit() const {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!regionDecoder_ || limits_.picturesPerClient <= 0) return SIZE_MAX;
    const std::size_t one = PictureBudgetFor(neighbourNeed_.fitWidth, neighbourNeed_.fitHeight, 1);
    return one > 0 ? one : SIZE_MAX;
}

SlidePictureSource::Fetch SlidePictureCache::FetchSlideRegion(int index, const std::string& path, int reduction,
                                                              const Rect& visible, const Rect& wanted,
                                                              SlideRegion& target) {
    std::optional<HeldRegion> stale;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        regionShownBytes_ = 0;
        if (!regionDecoder_ || index < 0 || static_cast<std::size_t>(index) >= slides_.size() ||
            slides_[static_cast<std::size_t>(index)] != path)
            return Fetch::Failed;
        if (region_ && region_->job.index == index && region_->job.path == path &&
            region_->job.reduction == reduction) {
            // Kept, so that the file is not tried again for every paint.
            if (region_->failed) return Fetch::Failed;
            if (Contains(region_->region.area, visible)) {
                target = std::move(region_->region);
                regionShownBytes_ = region_->bytes;
                region_.reset();
                return Fetch::Ready;
            }
        }
        if (region_ && !region_->failed) stale = std::move(region_), region_.reset();
        const RegionJob job{index, path, reduction, wanted};
        if (regionJob_ == job) return Fetch::Pending;
        regionJob_ = job;
    }
    wake_.notify_all();
    return Fetch::Pending;
}

void SlidePictureCache::ReleaseSlideRegion() {
    std::optional<HeldRegion> freed;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        regionShownBytes_ = 0;
        regionJob_.reset();
        freed.swap(region_);
    }
    // The room is the neighbours' again.
    wake_.notify_all();
    idle_.notify_all();
}

void SlidePictureCache::DecodeRegionLocked(std::unique_lock<std::mutex>& lock) {
    HeldRegion held;
    held.job = std::move(*regionJob_);
    regionJob_.reset();
    regionBusy_ = true;
    const unsigned generation = generation_;
    // Neighbours make room for the region first rather than after.
    const auto rowBytes = (3 * static_cast<std::size_t>(held.job.wanted.Width()) + 3) / 4 * 4;
    std::vector<Entry> room;
    EvictLocked(held.job.index, room, rowBytes * static_cast<std::size_t>(held.job.wanted.Height()));
    lock.unlock();
    room.clear();

    DroppedMessages messages;
    held.failed = !regionDecoder_(held.job.path, held.job.reduction, held.job.wanted, held.region, messages);
    if (held.failed) held.region = {};
    held.bytes = PictureBytes(held.region.dib);

    std::optional<HeldRegion> freed;
    lock.lock();
    regionBusy_ = false;
    // A region for a slide or show left meanwhile is thrown away.
    if (generation == generation_ && held.job.index == current_) {
        freed = std::move(region_);
        const int index = held.job.index;
        region_ = std::move(held);
        post_([alive = std::weak_ptr<int>(alive_), this, index] {
            if (alive.lock() && ready_) ready_(index);
        });
    }
    lock.unlock();
    freed.reset();
    idle_.notify_all();
    lock.lock();
}
