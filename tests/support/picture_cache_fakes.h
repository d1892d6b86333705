#pragma once

// A scripted decoder whose decodes a test can hold at a gate, and a poster whose tasks the
// test runs: tests of the picture cache wait on these, never on time.
#include "imagelib/decoders.h"
#include "platform/messages.h"
#include "tests/document/dib_builder.h"
#include "viewer/view/slide_picture_cache.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

// Pictures of a given full size per path, made at the reduction the rule asks for. Paths
// without a size fail, after raising the picture tools' box when the test says so.
class ScriptedDecoder {
public:
    struct Call {
        std::string path;
        int reduction;
    };

    bool Decode(const std::string& path, const imagelib::ReductionRule& rule, DibImage& target,
                imagelib::PictureScale& scale, platform::MessageSink& messages) {
        std::unique_lock<std::mutex> lock(mutex_);
        const auto it = sizes.find(path);
        const int reduction = it == sizes.end() ? 0 : std::min(rule(it->second.first, it->second.second), 3);
        calls_.push_back({path, reduction});
        threads_.insert(std::this_thread::get_id());
        ++started_;
        changed_.notify_all();
        changed_.wait(lock, [&] { return !gated_.count(path); });
        if (it == sizes.end()) {
            if (boxOnFailure.count(path)) {
                lock.unlock();
                messages.Show({"Invalid image pointer. Error code:104.", "", platform::MessageIcon::Warning,
                               platform::MessageButtons::Ok, false});
            }
            return false;
        }
        const std::uint32_t step = 1u << reduction;
        target = MakeDib((it->second.first + step - 1) / step, (it->second.second + step - 1) / step, 24);
        scale = {it->second.first, it->second.second, reduction};
        return true;
    }

    // Decodes of `path` wait until it is opened again.
    void Close(const std::string& path) {
        std::lock_guard<std::mutex> lock(mutex_);
        gated_.insert(path);
    }
    void Open(const std::string& path) {
        std::lock_guard<std::mutex> lock(mutex_);
        gated_.erase(path);
        changed_.notify_all();
    }
    // Blocks until `count` decodes have started.
    void WaitForStarts(int count) {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [&] { return started_ >= count; });
    }
    std::vector<Call> Calls() {
        std::lock_guard<std::mutex> lock(mutex_);
        return calls_;
    }
    std::vector<std::string> Paths() {
        std::vector<std::string> paths;
        for (const Call& c : Calls()) paths.push_back(c.path);
        return paths;
    }
    std::set<std::thread::id> Threads() {
        std::lock_guard<std::mutex> lock(mutex_);
        return threads_;
    }

    std::map<std::string, std::pair<std::uint32_t, std::uint32_t>> sizes;
    std::set<std::string> boxOnFailure;

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::set<std::string> gated_;
    std::vector<Call> calls_;
    std::set<std::thread::id> threads_;
    int started_ = 0;
};

// Tasks posted to the view's thread, run when the test says.
class PostedTasks {
public:
    void Post(std::function<void()> task) {
        std::lock_guard<std::mutex> lock(mutex_);
        tasks_.push_back(std::move(task));
        posted_.notify_all();
    }
    // Blocks until a task is there.
    void WaitForTask() {
        std::unique_lock<std::mutex> lock(mutex_);
        posted_.wait(lock, [&] { return !tasks_.empty(); });
    }
    void RunAll() {
        std::deque<std::function<void()>> tasks;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            tasks.swap(tasks_);
        }
        for (auto& task : tasks) task();
    }

private:
    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> tasks_;
};

// A cache over the scripted decoder, posting to `posted`.
inline std::unique_ptr<SlidePictureCache> MakeScriptedCache(ScriptedDecoder& decoder, PostedTasks& posted,
                                                            platform::MessageSink& messages,
                                                            SlidePictureCache::Limits limits) {
    return std::make_unique<SlidePictureCache>(
        [&decoder](const std::string& path, const imagelib::ReductionRule& rule, DibImage& target,
                   imagelib::PictureScale& scale,
                   platform::MessageSink& sink) { return decoder.Decode(path, rule, target, scale, sink); },
        [&posted](std::function<void()> task) { posted.Post(std::move(task)); }, messages, limits);
}

}  // namespace testsupport
