#pragma once

#include "imagelib/decoders.h"
#include "platform/messages.h"
#include "viewer/view/view_services.h"

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// Slide pictures decoded ahead of the view on one worker thread: the slide asked for
// first, then its neighbours in the direction the show moves (the next one, the one just
// left, then further on), each at the scale it will be shown at, as many as the memory
// budget holds.
// A jump or a new show drops the planned work; what was decoding for a slide no longer
// wanted is thrown away when it ends. Everything but the worker runs on the view's thread.
class SlidePictureCache final : public SlidePictureSource {
public:
    // Decodes the file at `path` into the empty `target` as small as the rule allows,
    // showing any message on `messages`; false when it cannot be decoded. Runs on the worker
    // and, for LoadSlidePicture, on the view's thread, so it may keep no state between calls.
    using Decoder = std::function<bool(const std::string& path, const imagelib::ReductionRule& rule,
                                       DibImage& target, imagelib::PictureScale& scale,
                                       platform::MessageSink& messages)>;
    // Decodes the part of the picture at `path` at 1/2^reduction that covers `wanted` into
    // the empty `target`; false when the file makes no such region. Runs on the worker.
    using RegionDecoder = std::function<bool(const std::string& path, int reduction, const Rect& wanted,
                                             SlideRegion& target, platform::MessageSink& messages)>;
    // Runs a task on the view's thread, later.
    using Poster = std::function<void(std::function<void()> task)>;

    struct Limits {
        // Bytes of picture memory held at most: the ones the cache keeps plus the one the
        // view shows.
        std::size_t budgetBytes = 0;
        // How far ahead in the show's direction, and behind, neighbours are decoded.
        int ahead = 4;
        int behind = 1;
        // Below budgetBytes, the budget follows the client area of the last fit: this many
        // of the largest picture stored for it (PictureBudgetFor). 0 keeps budgetBytes alone.
        int picturesPerClient = 0;
    };

    // `messages` takes the boxes of the synchronous LoadSlidePicture.
    // Without a region decoder, or without a budget that follows the client area, a zoom
    // past the stored scale always gets a whole finer picture.
    SlidePictureCache(Decoder decoder, Poster post, platform::MessageSink& messages, Limits limits,
                      RegionDecoder regions = {});
    ~SlidePictureCache() override;
    SlidePictureCache(const SlidePictureCache&) = delete;
    SlidePictureCache& operator=(const SlidePictureCache&) = delete;

    bool LoadSlidePicture(int index, const std::string& path, DibImage& target) override;
    Fetch FetchSlidePicture(int index, const std::string& path, const PictureNeed& need, bool forward,
                            SlidePicture& target, platform::MessageSink& messages) override;
    void ReturnSlidePicture(int index, const std::string& path, SlidePicture&& picture) override;
    void NewShow(const std::vector<std::string>& slides) override;
    void StartFirstSlide(int index, const PictureNeed& need) override;
    void SetReadyCallback(std::function<void(int index)> ready) override;
    // One of the largest pictures a fit to the last client area stores.
    std::size_t WholePictureLimit() const override;
    Fetch FetchSlideRegion(int index, const std::string& path, int reduction, const Rect& visible,
                           const Rect& wanted, SlideRegion& target) override;
    void ReleaseSlideRegion() override;

    // Blocks until the worker has nothing left it may start (for tests and measurements).
    void WaitUntilIdle();
    // The slides held, in index order, and their bytes with the view's picture.
    std::vector<int> HeldSlides() const;
    std::size_t HeldBytes() const;

private:
    struct Entry {
        std::string path;
        SlidePicture picture;
        bool failed = false;
        std::vector<platform::Message> messages;
        std::size_t bytes = 0;
    };
    struct Job {
        int index = 0;
        PictureNeed need;
    };
    // A picture the view holds.
    struct Shown {
        int index = 0;
        std::string path;
        int reduction = 0;
        int fullWidth = 0;
        int fullHeight = 0;
        std::size_t bytes = 0;
    };

    struct RegionJob {
        int index = 0;
        std::string path;
        int reduction = 0;
        Rect wanted;
        bool operator==(const RegionJob&) const = default;
    };
    // The last region decoded, until the view takes it; kept when it failed.
    struct HeldRegion {
        RegionJob job;
        bool failed = false;
        SlideRegion region;
        std::size_t bytes = 0;
    };

    void Run();
    // Decodes the region asked for, the lock released meanwhile.
    void DecodeRegionLocked(std::unique_lock<std::mutex>& lock);
    // The first planned slide that is neither held at its scale nor shown; none when the
    // budget leaves no room for it.
    std::optional<Job> NextJobLocked() const;
    bool SatisfiesLocked(const Entry& entry, const PictureNeed& need) const;
    // Orders the wanted slides around `current_` and drops held ones that are not wanted.
    void PlanLocked(const PictureNeed& need, std::vector<Entry>& freed);
    int PriorityLocked(int index) const;
    // Drops held pictures, least wanted first, until the budget holds them and `reserve`
    // bytes more; never `keep`.
    void EvictLocked(int keep, std::vector<Entry>& freed, std::size_t reserve = 0);
    // The bytes the job's picture will take: from the full size of the view's picture of
    // that slide when it has one, else the last picture's.
    std::size_t ExpectedBytesLocked(const Job& job) const;
    std::size_t HeldLocked() const;
    std::size_t BudgetLocked() const;

    Decoder decoder_;
    Poster post_;
    platform::MessageSink& messages_;
    Limits limits_;
    // Tells posted tasks whether the cache still exists.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
    std::function<void(int)> ready_;

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    bool stop_ = false;
    std::vector<std::string> slides_;
    // Counts shows, so that a decode of an old one is recognised when it ends.
    unsigned generation_ = 0;
    int current_ = -1;
    bool forward_ = true;
    std::vector<Job> plan_;
    std::map<int, Entry> entries_;
    // The slide the worker decodes, with its show's generation.
    std::optional<Job> busy_;
    // The neighbours' need: the fit of the last slide asked for by its client area.
    PictureNeed neighbourNeed_;
    // The pictures the view holds: while it changes slides, the old and the new one.
    std::vector<Shown> shown_;
    // The size of the last picture decoded, as the guess for the next one.
    std::size_t typicalBytes_ = 0;
    RegionDecoder regionDecoder_;
    std::optional<RegionJob> regionJob_;
    bool regionBusy_ = false;
    std::optional<HeldRegion> region_;
    // The region the view holds.
    std::size_t regionShownBytes_ = 0;
    std::thread worker_;
};

// Bytes of a picture's blocks.
std::size_t PictureBytes(const DibImage& dib);
