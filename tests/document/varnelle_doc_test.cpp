#include "viewer/document/varnelle_doc.h"

#include "viewer/res/command_ids.h"

#include "platform/fake/counting_heap.h"
#include "platform/fake/fake_file_system.h"
#include "platform/fake/fixed_clock.h"
#include "platform/fake/recording_message_sink.h"
#include "tests/support/fake_bitmap_resources.h"
#include "tests/support/fake_printers.h"
#include "tests/support/heap_budget.h"

#include <gtest/gtest.h>

#include <cstring>

using platform::fake::FakeFileSystem;
using platform::fake::FixedClock;
using platform::fake::RecordingMessageSink;

namespace {

class FakeWaitCursor final : public WaitCursor {
public:
    void Begin() override { ++depth; }
    void End() override { --depth; }
    int depth = 0;
};

class FakeDialogs final : public DocumentDialogs {
public:
    bool RunCustomZoom(float& scale) override {
        offered = scale;
        if (!accept) return false;
        scale = answer;
        return true;
    }
    void RunQuickHelp() override { ++helpShown; }

    bool accept = false;
    float answer = 0;
    float offered = 0;
    int helpShown = 0;
};

// Records the zoom notices it gets, with the document's zoom at that moment.
class CountingTarget final : public CommandTarget {
public:
    explicit CountingTarget(const CVarnelleDoc& d) : doc(d) {
        AddCommand(cmd::ID_VIEW_APPLY_ZOOM, [this] { seen.push_back({cmd::ID_VIEW_APPLY_ZOOM, doc.m_fZoom}); });
    }
    const CVarnelleDoc& doc;
    std::vector<std::pair<int, float>> seen;
};

std::string Int32(std::uint32_t v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF), static_cast<char>((v >> 16) & 0xFF),
            static_cast<char>(v >> 24)};
}

bool SameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// A packed 280 x 25, 8-bit bitmap with a full colour table, as the bar resource is.
std::vector<std::uint8_t> PackedNavBar() {
    std::string header = Int32(40) + Int32(280) + Int32(25) + std::string("\x01\x00\x08\x00", 4) + Int32(0) +
                         Int32(280 * 25) + Int32(0) + Int32(0) + Int32(256) + Int32(0);
    std::vector<std::uint8_t> bytes(header.begin(), header.end());
    for (int i = 0; i < 256; ++i) bytes.insert(bytes.end(), {std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0});
    bytes.resize(bytes.size() + 280 * 25, 7);
    return bytes;
}

class DocTest : public ::testing::Test {
protected:
    DocTest() { resources.bitmaps[377] = PackedNavBar(); }
    bool Load(const std::string& path) { return doc.OnNewDocument(path); }

    FakeFileSystem fs;
    RecordingMessageSink messages;
    FixedClock clock;
    platform::fake::CountingHeap heap;
    testsupport::FakePrinters printers;
    FakeWaitCursor wait;
    FakeDialogs host;
    testsupport::FakeResources resources;
    CVarnelleDoc doc{{fs, messages, printers, heap}, wait, resources};
};

TEST_F(DocTest, FolderShowKeepsImageFilesInFileSystemOrder) {
    fs.AddFile("/show/c.Tiff");
    fs.AddFile("/show/b.txt");
    fs.AddFile("/show/a.JPG");
    fs.AddFile("/show/d");
    fs.AddFolder("/show/e.jpg");
    fs.AddFile("/show/photo.jpe");
    fs.AddFile("/show/.x.png");
    ASSERT_TRUE(Load("/show"));
    EXPECT_EQ(doc.m_astrSlides, (std::vector<std::string>{"/show/c.Tiff", "/show/a.JPG", "/show/.x.png"}));
    EXPECT_EQ(doc.m_nSlideCount, 3);
    EXPECT_EQ(wait.depth, 0);
}

TEST_F(DocTest, EveryAcceptedExtensionIsKept) {
    const char* exts[] = {"jpg", "jpeg", "bmp", "gif", "tif", "tiff", "tga", "pcx", "ppm", "ras",
                          "png", "j2k", "jp2", "j2c", "jpc", "heic", "heif", "avif", "webp"};
    for (const char* e : exts) fs.AddFile(std::string("/all/f.") + e);
    for (const char* e : {"pgm", "pnm", "ico", "wbmp", "emf", "lit", "hif", "avifs"}) fs.AddFile(std::string("/all/g.") + e);
    ASSERT_TRUE(Load("/all"));
    EXPECT_EQ(doc.m_nSlideCount, 19);
}

TEST_F(DocTest, RootFolderSlidesCarryADoubledSeparator) {
    fs.AddFile("/x.png");
    ASSERT_TRUE(Load("/"));
    EXPECT_EQ(doc.m_astrSlides, (std::vector<std::string>{"//x.png"}));
}

TEST_F(DocTest, AnyExistingFileIsReadAsACollage) {
    fs.AddFile("/notes.txt", Int32(1) + Int32(6) + "/a.jpg");
    ASSERT_TRUE(Load("/notes.txt"));
    EXPECT_EQ(doc.m_astrSlides, (std::vector<std::string>{"/a.jpg"}));
    EXPECT_EQ(doc.m_nSlideCount, 1);
}

TEST_F(DocTest, BrokenCollageShowsItsCauseAndLeavesAnEmptyShow) {
    fs.AddFile("/good.lit", Int32(2) + Int32(6) + "/a.jpg" + Int32(6) + "/b.jpg");
    ASSERT_TRUE(Load("/good.lit"));
    doc.m_nCurrentSlide = 2;
    fs.AddFile("/short.lit", Int32(2) + Int32(6) + "/a.jpg");
    EXPECT_FALSE(Load("/short.lit"));
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"The end of file was reached."}));
    EXPECT_TRUE(doc.m_astrSlides.empty());
    EXPECT_EQ(doc.m_nSlideCount, 0);
    EXPECT_EQ(doc.m_nCurrentSlide, 0);
    EXPECT_EQ(wait.depth, 0);
}

TEST_F(DocTest, CollageTooLargeForMemoryShowsTheGenericCause) {
    fs.AddFile("/huge.lit", Int32(200000) + std::string(800000, '\0'));
    {
        testsupport::HeapBudget budget(3u << 20);
        EXPECT_FALSE(Load("/huge.lit"));
    }
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"An unspecified error occurred."}));
    EXPECT_TRUE(doc.m_astrSlides.empty());
    EXPECT_EQ(doc.m_nSlideCount, 0);
    EXPECT_EQ(wait.depth, 0);
}

TEST_F(DocTest, HeldCollageReportsTheSharingViolation) {
    fs.AddFile("/held.lit", Int32(0));
    fs.Lock("/held.lit");
    EXPECT_FALSE(Load("/held.lit"));
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"SHARE.EXE was not loaded, or a shared region was locked."}));
}

TEST_F(DocTest, MissingOrTooLongPathsOpenAnEmptyShow) {
    EXPECT_TRUE(Load("/nowhere"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(doc.m_nSlideCount, 0);

    EXPECT_TRUE(Load(std::string(platform::kMaxPath + 1, 'a')));
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Path is too long.", "Path is too long."}));
    EXPECT_EQ(doc.m_nSlideCount, 0);
}

TEST_F(DocTest, EachLoadResetsTheSharedViewState) {
    doc.m_bNavBarPressed = 1;
    doc.m_bNavBarVisible = 0;
    doc.m_nNavBarCorner = 3;
    doc.m_rcNavBar = {5, 5, 6, 6};
    doc.m_nNavBarHotButton = 2;
    doc.m_nPrintPixelsPerInch = 300;
    doc.m_fPrintLeftPad = 1;
    doc.m_fPrintTopPad = 1;
    doc.m_nCurrentSlide = 4;
    doc.m_fZoom = 2.5f;
    doc.m_bFullScreen = 1;
    ASSERT_TRUE(Load(""));
    EXPECT_EQ(doc.m_bNavBarPressed, 0);
    EXPECT_EQ(doc.m_bNavBarVisible, 1);
    EXPECT_EQ(doc.m_nNavBarCorner, 0);
    EXPECT_EQ(doc.m_rcNavBar, (Rect{0, 0, 280, 25}));
    EXPECT_EQ(doc.m_nNavBarHotButton, 0);
    EXPECT_EQ(doc.m_nPrintPixelsPerInch, 100);
    EXPECT_TRUE(SameBits(doc.m_fPrintLeftPad, 0.36f));
    EXPECT_TRUE(SameBits(doc.m_fPrintTopPad, 0.42f));
    EXPECT_EQ(doc.m_nCurrentSlide, 0);
    EXPECT_EQ(doc.m_nSlideCount, 0);
    EXPECT_EQ(doc.m_fZoom, 2.5f);  // owned by the view
    EXPECT_EQ(doc.m_bFullScreen, 1);
    EXPECT_EQ(wait.depth, 0);
}

TEST_F(DocTest, EmptyShowLoadsTheNavigatorBarWithItsPalette) {
    ASSERT_TRUE(Load(""));
    EXPECT_EQ(doc.m_nSlideCount, 0);
    ASSERT_FALSE(doc.m_dibNavBar.header.empty());
    EXPECT_EQ(doc.m_dibNavBar.bits.size(), 280u * 25u);
    ASSERT_TRUE(doc.m_dibNavBar.palette);
    EXPECT_EQ(doc.m_dibNavBar.palette->entries.size(), 256u);
    EXPECT_EQ(doc.m_dibNavBar.palette->entries[9].red, 9);
    // Every later load frees the old bar and loads it afresh, without complaint.
    ASSERT_TRUE(Load(""));
    EXPECT_FALSE(doc.m_dibNavBar.bits.empty());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DocTest, MissingNavigatorBarIsReportedButTheShowStillLoads) {
    resources.bitmaps.clear();
    fs.AddFile("/s/a.png");
    ASSERT_TRUE(Load("/s"));
    EXPECT_EQ(doc.m_nSlideCount, 1);
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Error in finding resource."}));
    EXPECT_TRUE(doc.m_dibNavBar.header.empty());
}

TEST_F(DocTest, ZoomCommandsStoreSinglePrecisionProductsAndNotifySynchronously) {
    CountingTarget target(doc);
    doc.SetZoomTarget(&target);
    const std::pair<int, float> presets[] = {
        {cmd::ID_ZOOM_100, 1.0f}, {cmd::ID_ZOOM_50, 0.5f},  {cmd::ID_ZOOM_33, 0.33333334f},
        {cmd::ID_ZOOM_200, 2.0f}, {cmd::ID_ZOOM_300, 3.0f}, {cmd::ID_ZOOM_75, 0.75f},
    };
    for (const auto& [id, value] : presets) {
        target.seen.clear();
        ASSERT_TRUE(doc.OnCommand(id));
        EXPECT_TRUE(SameBits(doc.m_fZoom, value)) << id;
        ASSERT_EQ(target.seen.size(), 1u);
        EXPECT_EQ(target.seen[0].first, cmd::ID_VIEW_APPLY_ZOOM);
        EXPECT_TRUE(SameBits(target.seen[0].second, value));  // applied before the handler returns
    }

    doc.m_fZoom = 1.0f;
    doc.OnCommand(cmd::ID_ZOOM_IN);
    EXPECT_TRUE(SameBits(doc.m_fZoom, 1.1f));
    doc.OnCommand(cmd::ID_ZOOM_OUT);
    EXPECT_TRUE(SameBits(doc.m_fZoom, 1.0f));
    // Repeated zooming compounds in single precision, with no bound at this level.
    float expected = 1.0f;
    for (int i = 0; i < 60; ++i) {
        doc.OnCommand(cmd::ID_ZOOM_IN);
        expected *= 1.1f;
    }
    EXPECT_TRUE(SameBits(doc.m_fZoom, expected));
}

TEST_F(DocTest, ZoomWithoutTargetChangesOnlyTheFactor) {
    EXPECT_TRUE(doc.OnCommand(cmd::ID_ZOOM_200));
    EXPECT_EQ(doc.m_fZoom, 2.0f);
}

TEST_F(DocTest, CustomZoomAppliesOnOkOnly) {
    EXPECT_FALSE(doc.OnCommand(cmd::ID_ZOOM_CUSTOM));  // no dialogs yet
    doc.SetDialogs(&host);
    CountingTarget target(doc);
    doc.SetZoomTarget(&target);
    doc.m_fZoom = 0.75f;
    doc.OnCommand(cmd::ID_ZOOM_CUSTOM);
    EXPECT_EQ(host.offered, 0.75f);
    EXPECT_EQ(doc.m_fZoom, 0.75f);
    EXPECT_TRUE(target.seen.empty());

    host.accept = true;
    host.answer = 1.25f;
    doc.OnCommand(cmd::ID_ZOOM_CUSTOM);
    EXPECT_EQ(doc.m_fZoom, 1.25f);
    EXPECT_EQ(target.seen.size(), 1u);
}

TEST_F(DocTest, PrinterCopyIsTakenAtConstruction) {
    EXPECT_FALSE(doc.m_hDevMode);
    printers.printer = PrinterSettings{{"drv", "Desk", "lp"}, {"Desk", PrintOrientation::Landscape, {}}};
    CVarnelleDoc withPrinter({fs, messages, printers, heap}, wait, resources);
    ASSERT_TRUE(withPrinter.m_hDevMode && withPrinter.m_hDevNames);
    EXPECT_EQ(withPrinter.m_hDevNames->device, "Desk");
    EXPECT_EQ(withPrinter.m_hDevMode->orientation, PrintOrientation::Landscape);
}

}  // namespace
