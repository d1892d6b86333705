#pragma once

#include "viewer/view/slide_picture_cache.h"

#include <cstddef>

// Picture memory: the slide on screen and the neighbours decoded ahead. Three of the largest
// pictures a fit to the window stores (the slide shown, the next and the one just left, so a
// step either way finds its picture ready), and never more than 96 MiB on a large screen.
inline constexpr std::size_t kPictureBudgetBytes = std::size_t{96} << 20;
inline constexpr int kPicturesPerClient = 3;
inline constexpr int kSlidesAhead = 4;
inline constexpr int kSlidesBehind = 1;

// What every face's picture cache is made with.
inline constexpr SlidePictureCache::Limits kShowPictureLimits{kPictureBudgetBytes, kSlidesAhead, kSlidesBehind,
                                                              kPicturesPerClient};
