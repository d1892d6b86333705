#include "viewer/view/slide_picture_cache.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace {

constexpr int kUnwanted = INT_MAX;

// Keeps the picture tools' messages of a decode on the worker for the view's thread.
class HeldMessages final : public platform::MessageSink {
public:
    platform::MessageAnswer Show(const platform::Message& message) override {
        messages.push_back(message);
        // Every box the picture tools raise has one OK button.
        return platform::MessageAnswer::Ok;
    }
    std::vector<platform::Message> messages;
};

imagelib::ReductionRule RuleFor(const PictureNeed& need) {
    return [need](std::uint32_t width, std::uint32_t height) { return ReductionFor(need, width, height); };
}

}  // namespace

std::size_t PictureBytes(const DibImage& dib) { return dib.header.size() + dib.bits.size(); }

SlidePictureCache::SlidePictureCache(Decoder decoder, Poster post, platform::MessageSink& messages, Limits limits,
                                     RegionDecoder regions)
    : decoder_(std::move(decoder)),
      post_(std::move(post)),
      messages_(messages),
      limits_(limits),
      regionDecoder_(std::move(regions)) {
    worker_ = std::thread([this] { Run(); });
}

SlidePictureCache::~SlidePictureCache() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    idle_.notify_all();
    worker_.join();
}

void SlidePictureCache::SetReadyCallback(std::function<void(int)> ready) { ready_ = std::move(ready); }

bool SlidePictureCache::LoadSlidePicture(int /*index*/, const std::string& path, DibImage& target) {
    imagelib::PictureScale scale;
    return decoder_(path, imagelib::FixedReduction(0), target, scale, messages_);
}

void SlidePictureCache::NewShow(const std::vector<std::string>& slides) {
    std::map<int, Entry> freed;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        // Nothing asked for yet but the first slide, started early: the same show keeps it.
        if (current_ < 0 && !plan_.empty() && slides == slides_) return;
        slides_ = slides;
        ++generation_;
        freed.swap(entries_);
        region_.reset();
        regionJob_.reset();
        plan_.clear();
        current_ = -1;
        typicalBytes_ = 0;
    }
    idle_.notify_all();
}

void SlidePictureCache::StartFirstSlide(int index, const PictureNeed& need) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (current_ >= 0 || index < 0 || static_cast<std::size_t>(index) >= slides_.size()) return;
        plan_.assign(1, Job{index, need});
    }
    wake_.notify_all();
}

SlidePictureSource::Fetch SlidePictureCache::FetchSlidePicture(int index, const std::string& path,
                                                               const PictureNeed& need, bool forward,
                                                               SlidePicture& target,
                                                               platform::MessageSink& messages) {
    std::vector<Entry> freed;
    std::vector<platform::Message> replay;
    Fetch result = Fetch::Pending;
    {
        std::unique_lock<std::mutex> lock(mutex_);
        if (index < 0 || static_cast<std::size_t>(index) >= slides_.size() ||
            slides_[static_cast<std::size_t>(index)] != path) {
            // Not a slide of the show the cache was told about: decoded here and now.
            lock.unlock();
            imagelib::PictureScale scale;
            if (!decoder_(path, RuleFor(need), target.dib, scale, messages)) return Fetch::Failed;
            target.fullWidth = static_cast<int>(scale.fullWidth);
            target.fullHeight = static_cast<int>(scale.fullHeight);
            target.reduction = scale.reduction;
            return Fetch::Ready;
        }
        current_ = index;
        forward_ = forward;
        if (need.fitWidth > 0 && need.fitHeight > 0) neighbourNeed_ = need;
        PlanLocked(need, freed);
        const auto it = entries_.find(index);
        if (it != entries_.end() && SatisfiesLocked(it->second, need)) {
            Entry& entry = it->second;
            replay = std::move(entry.messages);
            if (entry.failed) {
                // Kept, so that the slide is not decoded again while it is shown.
                result = Fetch::Failed;
            } else {
                result = Fetch::Ready;
                shown_.push_back({index, path, entry.picture.reduction, entry.picture.fullWidth,
                                  entry.picture.fullHeight, entry.bytes});
                target = std::move(entry.picture);
                entries_.erase(it);
            }
        }
    }
    wake_.notify_all();
    for (const platform::Message& message : replay) messages.Show(message);
    return result;
}

void SlidePictureCache::ReturnSlidePicture(int index, const std::string& path, SlidePicture&& picture) {
    Entry entry;
    entry.path = path;
    entry.bytes = PictureBytes(picture.dib);
    entry.picture = std::move(picture);
    std::vector<Entry> freed;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        const auto shown = std::find_if(shown_.begin(), shown_.end(),
                                        [&](const Shown& s) { return s.index == index && s.path == path; });
        if (shown != shown_.end()) shown_.erase(shown);
        const auto held = entries_.find(index);
        const bool finerShown = std::any_of(shown_.begin(), shown_.end(), [&](const Shown& s) {
            return s.index == index && s.path == path && s.reduction <= entry.picture.reduction;
        });
        const bool keep = !finerShown && index >= 0 && static_cast<std::size_t>(index) < slides_.size() &&
                          slides_[static_cast<std::size_t>(index)] == path && PriorityLocked(index) != kUnwanted &&
                          !entry.picture.dib.bits.empty() &&
                          (held == entries_.end() || held->second.failed ||
                           held->second.picture.reduction > entry.picture.reduction);
        if (keep) {
            if (held != entries_.end()) freed.push_back(std::move(held->second));
            entries_[index] = std::move(entry);
            EvictLocked(-1, freed);
        } else {
            freed.push_back(std::move(entry));
        }
    }
    // The view's picture no longer counts against the budget: the worker may go on.
    wake_.notify_all();
}

void SlidePictureCache::WaitUntilIdle() {
    std::unique_lock<std::mutex> lock(mutex_);
    idle_.wait(lock, [this] { return stop_ || (!busy_ && !regionBusy_ && !regionJob_ && !NextJobLocked()); });
}

std::vector<int> SlidePictureCache::HeldSlides() const {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<int> held;
    for (const auto& [index, entry] : entries_)
        if (!entry.failed) held.push_back(index);
    return held;
}

std::size_t SlidePictureCache::HeldBytes() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return HeldLocked();
}

std::size_t SlidePictureCache::HeldLocked() const {
    std::size_t bytes = 0;
    for (const auto& [index, entry] : entries_) bytes += entry.bytes;
    for (const Shown& shown : shown_) bytes += shown.bytes;
    return bytes + regionShownBytes_ + (region_ ? region_->bytes : 0);
}

std::size_t SlidePictureCache::BudgetLocked() const {
    const std::size_t forClient =
        PictureBudgetFor(neighbourNeed_.fitWidth, neighbourNeed_.fitHeight, limits_.picturesPerClient);
    return forClient > 0 ? std::min(forClient, limits_.budgetBytes) : limits_.budgetBytes;
}

bool SlidePictureCache::SatisfiesLocked(const Entry& entry, const PictureNeed& need) const {
    if (entry.failed) return true;
    const int wanted = ReductionFor(need, static_cast<std::uint32_t>(entry.picture.fullWidth),
                                    static_cast<std::uint32_t>(entry.picture.fullHeight));
    return entry.picture.reduction <= wanted;
}

void SlidePictureCache::PlanLocked(const PictureNeed& need, std::vector<Entry>& freed) {
    plan_.clear();
    const int count = static_cast<int>(slides_.size());
    if (current_ < 0 || current_ >= count) return;
    plan_.push_back({current_, need});
    const int step = forward_ ? 1 : -1;
    auto add = [&](int offset) {
        const int index = ((current_ + offset) % count + count) % count;
        for (const Job& job : plan_)
            if (job.index == index) return;
        plan_.push_back({index, neighbourNeed_});
    };
    // The next slide first, then the one just left (a step back is as quick as one on),
    // then further on.
    if (limits_.ahead > 0) add(step);
    if (limits_.behind > 0) add(-step);
    for (int i = 2; i <= limits_.ahead; ++i) add(i * step);
    for (int i = 2; i <= limits_.behind; ++i) add(-i * step);
    // What a jump left behind is dropped at once, so memory follows the show's position.
    for (auto it = entries_.begin(); it != entries_.end();) {
        if (PriorityLocked(it->first) == kUnwanted) {
            freed.push_back(std::move(it->second));
            it = entries_.erase(it);
        } else {
            ++it;
        }
    }
}

int SlidePictureCache::PriorityLocked(int index) const {
    for (std::size_t i = 0; i < plan_.size(); ++i)
        if (plan_[i].index == index) return static_cast<int>(i);
    return kUnwanted;
}

std::optional<SlidePictureCache::Job> SlidePictureCache::NextJobLocked() const {
    // Room taken by the view's pictures and by the wanted ones held so far.
    std::size_t committed = regionShownBytes_ + (region_ ? region_->bytes : 0);
    for (const Shown& shown : shown_) committed += shown.bytes;
    for (std::size_t i = 0; i < plan_.size(); ++i) {
        const Job& job = plan_[i];
        const auto held = entries_.find(job.index);
        if (held != entries_.end() && SatisfiesLocked(held->second, job.need)) {
            committed += held->second.bytes;
            continue;
        }
        if (busy_ && busy_->index == job.index) continue;
        // The view's own picture, when fine enough, is not decoded again.
        const bool shown = std::any_of(shown_.begin(), shown_.end(), [&](const Shown& s) {
            return s.index == job.index && s.path == slides_[static_cast<std::size_t>(job.index)] &&
                   s.reduction <= ReductionFor(job.need, static_cast<std::uint32_t>(s.fullWidth),
                                               static_cast<std::uint32_t>(s.fullHeight));
        });
        if (shown) continue;
        // The slide asked for is decoded whatever it takes; a neighbour only when it fits.
        if (i > 0 && committed + typicalBytes_ > BudgetLocked()) return std::nullopt;
        return job;
    }
    return std::nullopt;
}

std::size_t SlidePictureCache::ExpectedBytesLocked(const Job& job) const {
    for (const Shown& shown : shown_) {
        if (shown.index != job.index) continue;
        const int reduction = ReductionFor(job.need, static_cast<std::uint32_t>(shown.fullWidth),
                                           static_cast<std::uint32_t>(shown.fullHeight));
        const auto width = static_cast<std::size_t>(ReducedSide(shown.fullWidth, reduction));
        const auto height = static_cast<std::size_t>(ReducedSide(shown.fullHeight, reduction));
        return (3 * width + 3) / 4 * 4 * height;
    }
    return typicalBytes_;
}

void SlidePictureCache::EvictLocked(int keep, std::vector<Entry>& freed, std::size_t reserve) {
    const std::size_t budget = BudgetLocked();
    while (HeldLocked() + reserve > budget) {
        auto victim = entries_.end();
        int worst = -1;
        for (auto it = entries_.begin(); it != entries_.end(); ++it) {
            if (it->first == keep || it->second.bytes == 0) continue;
            const int priority = PriorityLocked(it->first);
            if (priority > worst) {
                worst = priority;
                victim = it;
            }
        }
        if (victim == entries_.end()) return;
        freed.push_back(std::move(victim->second));
        entries_.erase(victim);
    }
}

void SlidePictureCache::Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        std::optional<Job> job;
        wake_.wait(lock, [&] { return stop_ || regionJob_ || (job = NextJobLocked()).has_value(); });
        if (stop_) return;
        // The region of the slide on screen comes before any neighbour.
        if (regionJob_) {
            DecodeRegionLocked(lock);
            continue;
        }
        busy_ = job;
        const unsigned generation = generation_;
        const std::string path = slides_[static_cast<std::size_t>(job->index)];
        // The slide asked for is decoded whatever it takes; neighbours make room for it first
        // rather than after, so a finer picture of the slide shown does not come on top.
        std::vector<Entry> room;
        if (job->index == current_) EvictLocked(job->index, room, ExpectedBytesLocked(*job));
        lock.unlock();
        room.clear();

        Entry entry;
        entry.path = path;
        HeldMessages held;
        imagelib::PictureScale scale;
        entry.failed = !decoder_(path, RuleFor(job->need), entry.picture.dib, scale, held);
        entry.messages = std::move(held.messages);
        if (entry.failed) {
            entry.picture = {};
        } else {
            entry.picture.fullWidth = static_cast<int>(scale.fullWidth);
            entry.picture.fullHeight = static_cast<int>(scale.fullHeight);
            entry.picture.reduction = scale.reduction;
            entry.bytes = PictureBytes(entry.picture.dib);
        }

        std::vector<Entry> freed;
        lock.lock();
        busy_.reset();
        // A decode for another show, or for a slide a jump left behind, is thrown away.
        if (generation == generation_ && PriorityLocked(job->index) != kUnwanted) {
            const int index = job->index;
            if (!entry.failed) typicalBytes_ = entry.bytes;
            const auto held = entries_.find(index);
            if (held != entries_.end()) freed.push_back(std::move(held->second));
            entries_[index] = std::move(entry);
            // The slide asked for, or started before the view asked for any, is kept whatever it takes.
            EvictLocked(index == current_ || current_ < 0 ? index : -1, freed);
            if (index == current_ && entries_.count(index)) {
                post_([alive = std::weak_ptr<int>(alive_), this, index] {
                    if (alive.lock() && ready_) ready_(index);
                });
            }
        } else {
            freed.push_back(std::move(entry));
        }
        lock.unlock();
        freed.clear();
        idle_.notify_all();
        lock.lock();
    }
}
