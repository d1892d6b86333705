#pragma once

#include <span>

// The installer's own pictures as filled outlines, so that every face draws the same ones.
namespace setup::pictures {

struct Rgb {
    unsigned char red, green, blue;
};
struct Point {
    int x, y;
};
// A closed outline filled with `fill` and, when `penWidth` is above 0, edged with `pen`.
struct Shape {
    std::span<const Point> outline;
    Rgb fill;
    Rgb pen;
    double penWidth;
};

namespace detail {
inline constexpr Point kBox[] = {{5, 15}, {27, 15}, {27, 29}, {5, 29}};
inline constexpr Point kLid[] = {{5, 15}, {9, 10}, {23, 10}, {27, 15}};
inline constexpr Point kInstallArrow[] = {{13, 2}, {19, 2}, {19, 11}, {23, 11}, {16, 19}, {9, 11}, {13, 11}};
inline constexpr Point kFolder[] = {{1, 3}, {6, 3}, {7, 5}, {14, 5}, {14, 13}, {1, 13}};
inline constexpr Point kFolderFlap[] = {{3, 7}, {15, 7}, {13, 13}, {1, 13}};
inline constexpr Point kDownArrow[] = {{5, 1}, {10, 1}, {10, 7}, {14, 7}, {7, 14}, {1, 7}, {5, 7}};
inline constexpr Point kDriveCase[] = {{1, 5}, {14, 5}, {14, 12}, {1, 12}};
inline constexpr Point kDriveLight[] = {{11, 9}, {13, 9}, {13, 11}, {11, 11}};
inline constexpr Point kDriveSlot[] = {{3, 9}, {9, 9}, {9, 10}, {3, 10}};
inline constexpr Rgb kFolderEdge{128, 96, 0};
}  // namespace detail

// The application icon on a grid of 32 by 32: a box with a green arrow going into it.
inline constexpr int kIconGrid = 32;
inline constexpr Shape kIcon[] = {
    {detail::kBox, {214, 170, 100}, {90, 60, 20}, 1.5},
    {detail::kLid, {190, 145, 80}, {90, 60, 20}, 1.5},
    {detail::kInstallArrow, {60, 170, 60}, {20, 90, 20}, 1.2},
};

// The drive chooser's four pictures, 16 by 16, in the image list's order.
inline constexpr int kTreePictureSize = 16;
inline constexpr Shape kClosedFolder[] = {{detail::kFolder, {255, 220, 100}, detail::kFolderEdge, 1}};
inline constexpr Shape kOpenFolder[] = {{detail::kFolder, {255, 220, 100}, detail::kFolderEdge, 1},
                                        {detail::kFolderFlap, {255, 236, 160}, detail::kFolderEdge, 1}};
inline constexpr Shape kDownArrow[] = {{detail::kDownArrow, {0, 160, 0}, {0, 64, 0}, 1}};
inline constexpr Shape kHardDrive[] = {{detail::kDriveCase, {192, 192, 192}, {64, 64, 64}, 1},
                                       {detail::kDriveLight, {0, 200, 0}, {}, 0},
                                       {detail::kDriveSlot, {128, 128, 128}, {}, 0}};
inline constexpr std::span<const Shape> kTreePictures[] = {kClosedFolder, kOpenFolder, kDownArrow, kHardDrive};

}  // namespace setup::pictures
