#pragma once

#include "viewer/document/dib_image.h"
#include "viewer/document/geometry.h"
#include "viewer/document/rgb_colour.h"
#include "imagelib/info_header.h"
#include "viewer/view/navigator_bar.h"
#include "viewer/view/picture_scale.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CVarnelleDoc;

namespace platform {
class MessageSink;
}

// The window the view lives in: its client area, scrolling, repaint requests and the frame.
class ViewWindow {
public:
    virtual ~ViewWindow() = default;
    // (0, 0, client width, client height).
    virtual Rect ClientRect() const = 0;
    // Where the client area's top-left corner lies on the screen.
    virtual Point ClientOriginOnScreen() const = 0;
    virtual Point ScrollPosition() const = 0;
    // The scrollable size; a page is a tenth of it and a line a tenth of a page.
    virtual void SetScrollSizes(int totalWidth, int totalHeight) = 0;
    // Scrolls to the position, limited to the scroll range.
    virtual void ScrollToPosition(Point position) = 0;
    // One page down or up on the vertical scroll bar.
    virtual void ScrollPage(bool down) = 0;
    // Asks for a repaint of the whole client area.
    virtual void Invalidate() = 0;
    // Asks for a repaint of part of the client area.
    virtual void InvalidateRect(const Rect& rect) = 0;
    // The frame's layout request, by which it follows the document's full-screen flag.
    virtual void RecalcFrameLayout() = 0;
    virtual void SetCursor(ViewCursor cursor) = 0;
    // Sends a command to the main window, which routes it as its own menus do.
    virtual void SendCommand(int id) = 0;
    // Asks for another paint once the monotonic clock reaches `dueMilliseconds`: the next
    // frame of a sweep.
    virtual void RequestFrame(std::uint32_t dueMilliseconds) = 0;
    // Runs the task from the event loop, after the paint under way.
    virtual void Post(std::function<void()> task) = 0;
};

// The active document, asked afresh each time: null while there is none.
class DocumentProvider {
public:
    virtual ~DocumentProvider() = default;
    virtual CVarnelleDoc* ActiveDocument() const = 0;
};

// A slide's decoded picture, which may be stored smaller than the file's picture: each side
// divided by 2^reduction, rounded up. Geometry always uses the full size.
struct SlidePicture {
    DibImage dib;
    int fullWidth = 0;
    int fullHeight = 0;
    int reduction = 0;
};

// A part of a slide's picture stored at 1/2^reduction: `area` is where it lies in the
// picture at that scale, rows counted from the top, of a picture of the full size given.
struct SlideRegion {
    DibImage dib;
    int reduction = 0;
    Rect area;
    int fullWidth = 0;
    int fullHeight = 0;
};

// Where the view gets the decoded picture of a slide.
class SlidePictureSource {
public:
    virtual ~SlidePictureSource() = default;
    // Fills the empty `target` with the full picture of slide `index`, stored at `path`;
    // false, showing no message, when it cannot be decoded. Decodes on the caller's thread.
    virtual bool LoadSlidePicture(int index, const std::string& path, DibImage& target) = 0;

    enum class Fetch { Ready, Failed, Pending };
    // Hands the picture of slide `index` over to the view, stored at the need's scale or
    // finer: Ready with `target` filled, Failed (no message) when the file cannot be
    // decoded, or Pending while it is still being decoded, after which the ready callback
    // names the slide. `forward` is the way the show moves, for what to decode next. Any
    // message the picture tools raised while decoding it comes out now, on `messages`.
    virtual Fetch FetchSlidePicture(int index, const std::string& path, const PictureNeed& need, bool forward,
                                    SlidePicture& target, platform::MessageSink& messages) {
        (void)need;
        (void)forward;
        (void)messages;
        if (!LoadSlidePicture(index, path, target.dib)) return Fetch::Failed;
        target.fullWidth = static_cast<int>(dibheader::Get32(target.dib.header.data(), dibheader::kWidthField));
        target.fullHeight = static_cast<int>(dibheader::Get32(target.dib.header.data(), dibheader::kHeightField));
        target.reduction = 0;
        return Fetch::Ready;
    }
    // The view no longer shows a picture it fetched; the source may keep it for later.
    virtual void ReturnSlidePicture(int index, const std::string& path, SlidePicture&& picture) {
        (void)index;
        (void)path;
        (void)picture;
    }
    // A whole picture at a finer scale than the one shown is fetched while it takes at most
    // this many bytes; past that the view asks for the regions it shows.
    virtual std::size_t WholePictureLimit() const { return SIZE_MAX; }
    // Hands over a region of slide `index` at `reduction` that holds `visible` (pixels at
    // that scale): Ready with `target` filled, Pending while one around `visible` as far as
    // `wanted` is decoded (the ready callback names the slide then), or Failed when the
    // source makes no region of that picture. The region the view held before is given up.
    virtual Fetch FetchSlideRegion(int index, const std::string& path, int reduction, const Rect& visible,
                                   const Rect& wanted, SlideRegion& target) {
        (void)index, (void)path, (void)reduction, (void)visible, (void)wanted, (void)target;
        return Fetch::Failed;
    }
    // The view holds no region and wants none: what was decoded or asked for is dropped.
    virtual void ReleaseSlideRegion() {}
    // A new show: what was decoded or planned for the old one is dropped.
    virtual void NewShow(const std::vector<std::string>& slides) { (void)slides; }
    // The slide the new show opens on, decoded now for the need (a client area at least as
    // large as the view's will be), before the view first asks for it. Announcing the same
    // show again before that keeps what was started for it.
    virtual void StartFirstSlide(int index, const PictureNeed& need) {
        (void)index;
        (void)need;
    }
    // Called on the view's thread with the index of a slide that was Pending and is ready.
    virtual void SetReadyCallback(std::function<void(int index)> ready) { (void)ready; }
};

struct TextExtent {
    int width = 0;
    int height = 0;
};

// Where a transition copies the composed slide to: one stretched rectangle at a time.
class BlitSurface {
public:
    virtual ~BlitSurface() = default;
    // Stretches the source rectangle of the composition onto the target rectangle of the
    // screen, nearest neighbour. Parts outside either are left out.
    virtual void CopyComposition(const Rect& target, const Rect& source) = 0;
};

// The drawing operations of a screen paint, in the order the paint pass uses them. The
// screen keeps what was drawn on it until drawn over, and a sweep's frames after the first
// are drawn on the same canvas.
class ViewCanvas : public BlitSurface {
public:
    // Starts the off-screen composition: a client-sized bitmap filled with black.
    virtual void BeginComposition(int width, int height) = 0;
    // Stretches the source part of the picture (x and width in pixels, y and height in
    // stored rows counted from the bottom) into the destination, nearest neighbour.
    virtual void StretchPicture(const Rect& destination, int sourceX, int sourceY, int sourceWidth,
                                int sourceHeight, const DibImage& picture) = 0;
    // Draws the whole picture stretched into the rectangle of the screen; its pixels of the
    // key colour leave the screen as it is.
    virtual void DrawKeyedPicture(const Rect& rect, const DibImage& picture, RgbColour key) = 0;
    // Text in the overlay font (9 points, semi-bold) with its top-left corner at (x, y) of
    // the window, on a transparent background.
    virtual void DrawOverlayText(int x, int y, RgbColour colour, const std::string& text) = 0;
    // The size of the text's cell in the overlay font.
    virtual TextExtent OverlayTextExtent(const std::string& text) = 0;
};
