#include "viewer/frame/status_pane_texts.h"

#include "tests/support/comma_locale.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(StatusPanes, ZoomReadsAsARatio) {
    EXPECT_EQ(ZoomPaneText(1.0f), "1:1");
    EXPECT_EQ(ZoomPaneText(2.0f), "2:1");
    EXPECT_EQ(ZoomPaneText(3.0f), "3:1");
    EXPECT_EQ(ZoomPaneText(1.5f), "1.5:1");
    EXPECT_EQ(ZoomPaneText(2.5f), "2.5:1");
    EXPECT_EQ(ZoomPaneText(0.5f), "1:2");
    EXPECT_EQ(ZoomPaneText(1.0f / 3.0f), "1:3");
    EXPECT_EQ(ZoomPaneText(0.75f), "1:1.333");
    EXPECT_EQ(ZoomPaneText(0.999f), "1:1.001");
    EXPECT_EQ(ZoomPaneText(7.6f), "7.599:1");
    EXPECT_EQ(ZoomPaneText(0.0f), "");
    EXPECT_EQ(ZoomPaneText(std::numeric_limits<float>::quiet_NaN()), "");
}

TEST(StatusPanes, SlideNumberAndTwelveHourClock) {
    EXPECT_EQ(SlidePaneText(3, 12), "Slide 3 of 12");
    EXPECT_EQ(SlidePaneText(0, 0), "Slide 0 of 0");
    auto at = [](int hour, int minute) {
        platform::LocalTime t;
        t.hour = hour;
        t.minute = minute;
        return ClockPaneText(t);
    };
    EXPECT_EQ(at(0, 7), "12:07 AM");
    EXPECT_EQ(at(12, 0), "12:00 PM");
    EXPECT_EQ(at(23, 59), "11:59 PM");
    EXPECT_EQ(at(9, 5), "9:05 AM");
    EXPECT_EQ(at(0, 10), "12:10 AM");
}

// The panes read the same for a user whose locale writes decimal commas and groups digits.
class StatusPanesInACommaLocale : public testsupport::CommaLocaleTest {};

TEST_F(StatusPanesInACommaLocale, ThePointAndNoGrouping) {
    EXPECT_EQ(ZoomPaneText(0.75f), "1:1.333");
    EXPECT_EQ(ZoomPaneText(7.6f), "7.599:1");
    EXPECT_EQ(SlidePaneText(1234, 56789), "Slide 1234 of 56789");
    platform::LocalTime t;
    t.hour = 13;
    t.minute = 5;
    EXPECT_EQ(ClockPaneText(t), "1:05 PM");
}

}  // namespace
