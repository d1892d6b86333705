#pragma once

#include "platform/clock.h"

#include <string>

// The texts of the status bar's information panes.

// The zoom as a ratio: "2:1" above 100 %, "1:2" below, at most three decimals.
std::string ZoomPaneText(float zoom);
// "Slide 3 of 12".
std::string SlidePaneText(int currentSlide, int slideCount);
// The time on a twelve-hour clock: "12:07 AM", "11:59 PM".
std::string ClockPaneText(const platform::LocalTime& time);
