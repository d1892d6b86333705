#pragma once

#include "viewer/document/dib_image.h"
#include "viewer/document/geometry.h"
#include "viewer/document/rgb_colour.h"

#include <string>

class CVarnelleDoc;

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
    // The frame's layout request, by which it follows the document's full-screen flag.
    virtual void RecalcFrameLayout() = 0;
};

// The active document, asked afresh each time: null while there is none.
class DocumentProvider {
public:
    virtual ~DocumentProvider() = default;
    virtual CVarnelleDoc* ActiveDocument() const = 0;
};

// Where the view gets the decoded picture of a slide.
class SlidePictureSource {
public:
    virtual ~SlidePictureSource() = default;
    // Fills the empty `target` with the picture of slide `index`, stored at `path`; false,
    // showing no message, when it cannot be decoded.
    virtual bool LoadSlidePicture(int index, const std::string& path, DibImage& target) = 0;
};

// The drawing operations of one screen paint, in the order the paint pass uses them.
class ViewCanvas {
public:
    virtual ~ViewCanvas() = default;
    // Starts the off-screen composition: a client-sized bitmap filled with black.
    virtual void BeginComposition(int width, int height) = 0;
    // Stretches the source part of the picture (x and width in pixels, y and height in
    // stored rows counted from the bottom) into the destination, nearest neighbour.
    virtual void StretchPicture(const Rect& destination, int sourceX, int sourceY, int sourceWidth,
                                int sourceHeight, const DibImage& picture) = 0;
    // Puts the composition on the screen in one transfer.
    virtual void CopyCompositionToScreen() = 0;
    // Text in the overlay font (9 points, semi-bold) with its top-left corner at (x, y) of
    // the window, on a transparent background.
    virtual void DrawOverlayText(int x, int y, RgbColour colour, const std::string& text) = 0;
};
