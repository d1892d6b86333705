// The view's pictures under Wine come from the picture cache's worker: slides are decoded off
// the window's thread, a slide that cannot be decoded paints black with its caption, and a
// box the picture tools raised on the worker is shown once, from the message loop after the
// paint that takes the slide. The worker's tasks reach the window's thread through the
// shell's poster.
#include "tests/windows/viewer_frame_fixture.h"

#include "viewer/win32/ui_task_poster.h"

#include <algorithm>
#include <memory>
#include <thread>

namespace {

using namespace framefixture;

class ViewerWorkerTest : public ViewerFrameTest {
protected:
    // A show of the red picture and `other`, opened on the red one, the show stopped.
    void ShowRedAnd(const std::string& folder, const std::string& other, const std::string& bytes) {
        CreateDirectoryA(folder.c_str(), nullptr);
        WriteBmp(folder + "\\a.bmp", 1600, 1200, kRed);
        std::ofstream(folder + "\\" + other, std::ios::binary) << bytes;
        shell->NewDocument(folder, "a.bmp");
        testsupport::SetTransitionMode(view(), 2);
        Settle();
        Key(VK_ESCAPE);
        ASSERT_EQ(GrabRow(View(), 250, 800)[400], kRed);
        otherSlide = "Slide " + std::to_string(2 - shell->ActiveDocument()->m_nFirstSlide) + " of 2";
    }
    // The caption's grey, left of where a fitted slide starts and below the navigator bar.
    bool CaptionShown() {
        for (int y = 25; y < 45; ++y)
            for (std::uint32_t px : GrabRow(View(), y, 66, false))
                if (px != 0 && (px & 0xFF) == ((px >> 8) & 0xFF) && (px & 0xFF) == (px >> 16)) return true;
        return false;
    }
    bool Black(int y) {
        const std::vector<std::uint32_t> row = GrabRow(View(), y, 800, false);
        return std::all_of(row.begin() + 67, row.end(), [](std::uint32_t px) { return px == 0; });
    }
    std::string otherSlide;
};

TEST_F(ViewerWorkerTest, SlidesAreDecodedOffTheWindowsThread) {
    Key(VK_ESCAPE);  // the arrows step once the show is stopped
    Key(VK_RIGHT);
    ASSERT_EQ(GrabRow(View(), 250, 800)[400], kGreen);
    for (const char* name : {"\\a.bmp", "\\b.bmp"}) {
        const std::set<DWORD> readers = fs.Readers(std::string(kFolder) + name);
        EXPECT_FALSE(readers.empty()) << name;
        EXPECT_EQ(readers.count(GetCurrentThreadId()), 0u) << name << " read on the window's thread";
    }
}

TEST_F(ViewerWorkerTest, ASlideThatCannotBeDecodedPaintsBlackWithItsCaptionAndRaisesNoBox) {
    ShowRedAnd("viewer-worker-damaged", "b.jpg", std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF", 10) + "damaged");
    Key(VK_RIGHT);
    EXPECT_EQ(Pane(2), otherSlide);
    RedrawWindow(View(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(Black(100));
    EXPECT_TRUE(Black(250));
    EXPECT_TRUE(CaptionShown());
    EXPECT_EQ(Pane(1), "1:2.402") << "the zoom stays";
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ViewerWorkerTest, ABoxOfTheWorkersDecodeIsShownOnceFromTheLoopAfterThePaint) {
    ShowRedAnd("viewer-worker-boxed", std::string(kBoxedName) + ".bmp", "BM");
    // Decoded ahead of the step: its box waits with it.
    shell->Pictures().WaitUntilIdle();
    EXPECT_TRUE(messages.shown.empty()) << "nothing from the worker";

    SendMessageA(View(), WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageA(View(), WM_KEYUP, VK_RIGHT, 0);
    UpdateWindow(View());
    EXPECT_TRUE(messages.shown.empty()) << "nothing inside the paint";
    Pump();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Invalid image pointer. Error code:104.");
    EXPECT_EQ(messages.shown[0].caption, "Error");

    Settle();
    Settle();
    EXPECT_EQ(messages.shown.size(), 1u) << "raised once";
    EXPECT_EQ(Pane(2), otherSlide);
    EXPECT_TRUE(Black(250));
    EXPECT_TRUE(CaptionShown());
}

TEST(UiTaskPoster, ATaskPostedFromAnotherThreadRunsOnThePostersThreadFromItsLoop) {
    UiTaskPoster poster;
    ASSERT_NE(poster.Handle(), nullptr);
    DWORD ranOn = 0;
    std::thread([&] { poster.Post([&] { ranOn = GetCurrentThreadId(); }); }).join();
    EXPECT_EQ(ranOn, 0u) << "not before the loop";
    Pump();
    EXPECT_EQ(ranOn, GetCurrentThreadId());
}

TEST(UiTaskPoster, TasksStillQueuedAreFreedWithThePoster) {
    auto guard = std::make_shared<int>(0);
    const std::weak_ptr<int> watch = guard;
    auto poster = std::make_unique<UiTaskPoster>();
    bool ran = false;
    poster->Post([guard, &ran] { ran = true; });
    guard.reset();
    ASSERT_FALSE(watch.expired());
    poster.reset();
    EXPECT_TRUE(watch.expired());
    Pump();
    EXPECT_FALSE(ran);
}

}  // namespace
