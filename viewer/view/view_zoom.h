#pragma once

#include "viewer/document/geometry.h"

class CVarnelleDoc;
class ShownPicture;
class ViewWindow;

// The zoom the shown picture is shown at, its level, the scroll sizes it gives, and the
// mouse position that zoom steps centre on.
class ViewZoom {
public:
    ViewZoom(ViewWindow& window, const ShownPicture& picture) : window_(window), picture_(picture) {}

    // A new document: zoom 1.0 at level 1 and nothing to scroll.
    void Reset(CVarnelleDoc& doc);

    // The factor in use: a level's, or the exact fit of a slide until the first zoom step.
    double Factor() const { return state_.m_dZoom; }
    int Level() const { return state_.m_nZoomLevel; }
    // The last mouse position, in page coordinates.
    Point Mouse() const { return state_.m_ptMouse; }
    // Records a mouse position given in client coordinates.
    void SetMouse(Point client);

    // Fits a newly shown picture to the client area.
    void Fit(CVarnelleDoc& doc, const Rect& client);
    // One level up or down, at most 40 and at least 1.
    void In(CVarnelleDoc& doc);
    void Out(CVarnelleDoc& doc);
    // Shows the picture at the level's factor (the level itself is left as it is) and
    // tells the document; repaints.
    void ApplyLevel(CVarnelleDoc& doc, int level);
    // The document's zoom, snapped to the level below it, and written back.
    void ApplyDocumentZoom(CVarnelleDoc& doc);
    // Scrolls the mouse position to the middle of the window along each axis on which the
    // slide is larger than the window.
    void CenterOnMouse();

private:
    void SetScrollSizes(int width, int height);

    struct State {
        Point m_ptMouse;
        int m_nZoomLevel = 1;
        double m_dZoom = 1.0;
        // The scroll sizes last set, as the scroll view keeps them.
        int totalWidth = 0;
        int totalHeight = 0;
    };

    ViewWindow& window_;
    const ShownPicture& picture_;
    State state_;
};
