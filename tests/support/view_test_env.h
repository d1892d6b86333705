#pragma once

#include "viewer/app/varnelle_app.h"
#include "viewer/document/varnelle_doc.h"
#include "viewer/view/view_services.h"

#include "platform/fake/counting_heap.h"
#include "platform/fake/fake_file_system.h"
#include "platform/fake/fake_timers.h"
#include "platform/fake/fixed_clock.h"
#include "platform/fake/recording_message_sink.h"
#include "tests/document/dib_builder.h"
#include "tests/support/fake_bitmap_resources.h"
#include "tests/support/fake_printers.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace testsupport {

class NoWaitCursor final : public WaitCursor {
public:
    void Begin() override {}
    void End() override {}
};

// The active document, or none when a test takes it away.
class FakeDocuments final : public DocumentProvider {
public:
    CVarnelleDoc* ActiveDocument() const override { return document; }
    CVarnelleDoc* document = nullptr;
};

// Pictures by path: a 24-bit picture of one colour, of the size the test gave the path.
// Paths without a size fail to decode.
class FakePictures final : public SlidePictureSource {
public:
    struct Picture {
        int width;
        int height;
        RgbColour colour;
    };
    bool LoadSlidePicture(int index, const std::string& path, DibImage& target) override {
        loads.push_back(index);
        const auto it = pictures.find(path);
        if (it == pictures.end()) return false;
        const Picture& p = it->second;
        target = MakeDib(static_cast<std::uint32_t>(p.width), static_cast<std::uint32_t>(p.height), 24);
        const std::size_t stride = target.bits.size() / static_cast<std::size_t>(p.height);
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x) {
                std::uint8_t* px = target.bits.data() + y * stride + 3 * static_cast<std::size_t>(x);
                px[0] = p.colour.blue;
                px[1] = p.colour.green;
                px[2] = p.colour.red;
            }
        return true;
    }
    // A large red, a small green and a huge blue picture in "/show".
    void AddShowPictures() {
        pictures["/show/big.jpg"] = {1600, 1200, {200, 10, 10}};
        pictures["/show/small.png"] = {320, 240, {10, 200, 10}};
        pictures["/show/huge.bmp"] = {4000, 3000, {10, 10, 200}};
    }

    std::map<std::string, Picture> pictures;
    std::vector<int> loads;
};

// A stand-in for the navigator bar's picture: 280 x 25, grey, with black (the transparent
// key) in 3 x 3 corners.
inline DibImage NavBarPicture() {
    DibImage bar = MakeDib(280, 25, 8, {{0, 0, 0}, {128, 128, 128}}, 2);
    const std::size_t stride = bar.bits.size() / 25;
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 280; ++x) {
            const bool corner = (x < 3 || x >= 277) && (y < 3 || y >= 22);
            bar.bits.data()[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x)] = corner ? 0 : 1;
        }
    return bar;
}

// The view's window as a record of what the view asked of it; posted tasks and frame
// requests wait until the test runs them.
class FakeWindow final : public ViewWindow {
public:
    Rect ClientRect() const override { return {0, 0, width, height}; }
    Point ClientOriginOnScreen() const override { return {100, 50}; }
    Point ScrollPosition() const override { return scroll; }
    void SetScrollSizes(int w, int h) override { total = {0, 0, w, h}; }
    void ScrollToPosition(Point p) override {
        scroll = {std::clamp(p.x, 0, std::max(0, total.right - width)), std::clamp(p.y, 0, std::max(0, total.bottom - height))};
    }
    void ScrollPage(bool down) override { pages.push_back(down); }
    void Invalidate() override { ++invalidations; }
    void InvalidateRect(const Rect& rect) override { invalidatedRects.push_back(rect); }
    void RecalcFrameLayout() override { ++layouts; }
    void SetCursor(ViewCursor c) override { cursor = c; }
    void SendCommand(int id) override { commands.push_back(id); }
    void RequestFrame(std::uint32_t due) override { frames.push_back(due); }
    void Post(std::function<void()> task) override { posted.push_back(std::move(task)); }
    void RunPosted() {
        auto tasks = std::move(posted);
        posted.clear();
        for (auto& task : tasks) task();
    }

    int width = 800;
    int height = 500;
    Point scroll;
    Rect total;
    std::vector<bool> pages;
    int invalidations = 0;
    int layouts = 0;
    std::vector<Rect> invalidatedRects;
    ViewCursor cursor = ViewCursor::Arrow;
    std::vector<int> commands;
    std::vector<std::uint32_t> frames;
    std::vector<std::function<void()>> posted;
};

// Records what a paint draws, in order.
class RecordingCanvas final : public ViewCanvas {
public:
    void BeginComposition(int w, int h) override { calls.push_back("begin " + std::to_string(w) + "x" + std::to_string(h)); }
    void StretchPicture(const Rect& d, int sx, int sy, int sw, int sh, const DibImage&) override {
        destination = d;
        source = {sx, sy, sx + sw, sy + sh};
        calls.push_back("stretch");
    }
    void CopyComposition(const Rect& t, const Rect& s) override {
        if (t == Rect{0, 0, s.right, s.bottom} && s.left == 0 && s.top == 0) calls.push_back("copy");
        else strips.push_back(t);
    }
    void DrawKeyedPicture(const Rect& r, const DibImage&, RgbColour) override {
        calls.push_back("bar " + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
                        "," + std::to_string(r.bottom));
    }
    void DrawOverlayText(int x, int y, RgbColour c, const std::string& text) override {
        calls.push_back("text " + std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(c.red) + " " + text);
    }
    // Seven pixels a character, twelve high.
    TextExtent OverlayTextExtent(const std::string& text) override { return {7 * static_cast<int>(text.size()), 12}; }
    std::vector<Rect> strips;
    std::vector<std::string> calls;
    Rect destination;
    Rect source;  // x, y from the bottom row, as the canvas takes them
};

// The application and one document with a slide list, on fakes.
struct DocumentEnv {
    DocumentEnv() { documents.document = &doc; }

    void SetSlides(std::vector<std::string> paths) {
        doc.m_astrSlides = std::move(paths);
        doc.m_nSlideCount = static_cast<int>(doc.m_astrSlides.size());
    }

    platform::fake::FakeFileSystem fs;
    platform::fake::RecordingMessageSink messages;
    platform::fake::FixedClock clock;
    platform::fake::FakeTimers timers;
    platform::fake::CountingHeap heap;
    FakePrinters printers;
    CVarnelleApp app{{fs, messages, clock, printers}};
    NoWaitCursor waitCursor;
    FakeResources resources;
    CVarnelleDoc doc{{fs, messages, printers, heap}, waitCursor, resources};
    FakeDocuments documents;
    FakePictures pictures;
};

}  // namespace testsupport
