#pragma once

#include "viewer/app/text_tools.h"
#include "viewer/document/dib_image.h"
#include "viewer/document/dib_tools.h"
#include "viewer/document/geometry.h"
#include "viewer/view/slide_geometry.h"
#include "viewer/view/view_rect_table.h"
#include "viewer/view/view_services.h"

#include <string>

// The decoded picture of the slide on screen: taken from the picture source, swapped for a
// finer one once the zoom passes its stored scale, given back when another replaces it,
// and the visible part of it stretched into the composition.
class ShownPicture {
public:
    ShownPicture(SlidePictureSource& pictures, platform::MessageSink& messages, platform::Heap& heap)
        : pictures_(pictures), messages_(messages), dibTools_(messages, heap) {}
    ~ShownPicture() {
        dibTools_.FreeDib(state_.m_dibSlide);
        dibTools_.FreeDib(region_.dib);
    }
    ShownPicture(const ShownPicture&) = delete;
    ShownPicture& operator=(const ShownPicture&) = delete;

    enum class Take {
        Pending,  // still being decoded: the picture shown stays
        Shown,    // the slide's picture is now the one shown
        Failed,   // not a picture, or not decodable: nothing is shown
    };
    // The picture of slide `index` at `path`, decoded to fit the client area, in place of
    // the one shown.
    Take TakeSlide(int index, const std::string& path, const Rect& client, bool forward);
    // Swaps in a finer picture of the slide shown once `zoom` passes the stored scale;
    // `slideCount` is the show's. Where the whole finer picture would take more than the
    // source allows, only a region around the part visible in the client area of `width`
    // by `height` scrolled to `scroll` is fetched, afresh when the view leaves it.
    void Refine(double zoom, bool forward, int slideCount, Point scroll, int width, int height);
    // Gives the shown picture back to the source, which may keep it, and frees it here.
    void Release();
    // A new show: nothing shown, nothing painted yet.
    void Reset();
    // The slide whose picture was last painted.
    void MarkDrawn(int slide) { state_.m_nDrawnSlide = slide; }

    // Lays the picture out zoomed and scrolled in a client area of `width` by `height` and
    // stretches its visible part, as stored.
    void Draw(ViewCanvas& canvas, double zoom, Point scroll, int width, int height);
    // The same for a printed page: from the full picture, decoded for the page alone,
    // whatever scale the screen's picture is stored at.
    void DrawForPage(ViewCanvas& canvas, double zoom, Point scroll, int width, int height);

    // The full size of the picture shown; 0 by 0 when none.
    int Width() const { return state_.m_nImageWidth; }
    int Height() const { return state_.m_nImageHeight; }
    bool Loaded() const { return !state_.m_dibSlide.header.empty(); }
    int DrawnSlide() const { return state_.m_nDrawnSlide; }
    const std::string& Path() const { return state_.m_strSlidePath; }
    // The picture is stored at 1 / 2^Reduction() of its full size.
    int Reduction() const { return state_.reduction; }
    // Item 0 is the slide picture as last laid out.
    const CViewRectTable& Rects() const { return m_rects; }
    // The finer region held, in pixels of the picture at its scale; empty when none.
    const Rect& RegionArea() const { return region_.area; }

private:
    SlidePlacement Place(double zoom, Point scroll, int width, int height);
    // Whether the picture at `reduction` is fetched by regions rather than whole.
    bool UsesRegions(int reduction) const;
    // The source rectangle (full-picture pixels) in pixels of the picture at `reduction`.
    Rect StoredSource(const Rect& source, int reduction) const;
    // Holds or asks for a region at `reduction` around `visible`; false when the source
    // makes none, so the whole picture is fetched instead.
    bool RefineRegion(int reduction, const Rect& visible);
    // Frees the region and tells the source that none is wanted.
    void DropRegion();
    // Stretches the source part (full-picture pixels) of `picture`, stored at 1 / 2^reduction.
    void Stretch(ViewCanvas& canvas, const SlidePlacement& placement, const DibImage& picture, int reduction) const;

    struct State {
        std::string m_strSlidePath;
        int m_nImageWidth = 0;
        int m_nImageHeight = 0;
        int m_nDrawnSlide = -1;
        DibImage m_dibSlide;
        int reduction = 0;
    };

    SlidePictureSource& pictures_;
    platform::MessageSink& messages_;
    CDibTools dibTools_;
    CTextTools m_textTools;
    CViewRectTable m_rects;
    State state_;
    SlideRegion region_;
    // A region was asked for since the last DropRegion.
    bool regionAsked_ = false;
    // The source made no region of the slide shown: the whole picture is fetched.
    bool regionRefused_ = false;
};
