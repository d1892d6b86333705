#include "viewer/view/view_zoom.h"

#include "viewer/document/varnelle_doc.h"
#include "viewer/view/shown_picture.h"
#include "viewer/view/slide_geometry.h"
#include "viewer/view/view_services.h"
#include "viewer/view/zoom_levels.h"

#include <algorithm>

void ViewZoom::Reset(CVarnelleDoc& doc) {
    doc.m_rcExtent = {};
    state_ = State{};
    SetScrollSizes(0, 0);
}

void ViewZoom::SetMouse(Point client) {
    const Point scroll = window_.ScrollPosition();
    state_.m_ptMouse = {client.x + scroll.x, client.y + scroll.y};
}

void ViewZoom::SetScrollSizes(int width, int height) {
    state_.totalWidth = width;
    state_.totalHeight = height;
    window_.SetScrollSizes(width, height);
}

void ViewZoom::Fit(CVarnelleDoc& doc, const Rect& client) {
    const int height = picture_.Height();
    const SlideFit fit = FitToClient(picture_.Width(), height, client.Width(), client.Height());
    double& zoom = state_.m_dZoom;
    zoom = fit.zoom;
    // A side that truncates to nothing (an empty window, a picture thousands of times longer
    // than wide) would leave a zoom of 0 that every later division trips over.
    if (zoom <= 0.0) zoom = client.Height() > 0 ? static_cast<double>(client.Height()) / height : 0.0;
    if (zoom <= 0.0) zoom = ZoomFactorOfLevel(kMinZoomLevel);
    doc.m_fZoom = static_cast<float>(zoom);
    doc.m_rcExtent = {0, 0, fit.width, fit.height};
    SetScrollSizes(fit.width, fit.height);
    state_.m_nZoomLevel = ZoomLevelFor(zoom);
}

void ViewZoom::In(CVarnelleDoc& doc) {
    state_.m_nZoomLevel = std::min(state_.m_nZoomLevel + 1, kMaxZoomLevel);
    ApplyLevel(doc, state_.m_nZoomLevel);
}

void ViewZoom::Out(CVarnelleDoc& doc) {
    state_.m_nZoomLevel = std::max(state_.m_nZoomLevel - 1, kMinZoomLevel);
    ApplyLevel(doc, state_.m_nZoomLevel);
}

void ViewZoom::ApplyLevel(CVarnelleDoc& doc, int level) {
    const double zoom = state_.m_dZoom = ZoomFactorOfLevel(level);
    doc.m_fZoom = static_cast<float>(zoom);
    doc.m_rcExtent = {0, 0, static_cast<int>(picture_.Width() * zoom), static_cast<int>(picture_.Height() * zoom)};
    SetScrollSizes(doc.m_rcExtent.Width(), doc.m_rcExtent.Height());
    window_.Invalidate();
}

void ViewZoom::ApplyDocumentZoom(CVarnelleDoc& doc) {
    state_.m_dZoom = doc.m_fZoom;
    state_.m_nZoomLevel = ZoomLevelFor(state_.m_dZoom);
    ApplyLevel(doc, state_.m_nZoomLevel);
}

void ViewZoom::CenterOnMouse() {
    const Rect client = window_.ClientRect();
    const Point current = window_.ScrollPosition();
    const Point target = CenterOnMouseTarget(state_.m_ptMouse, state_.totalWidth, state_.totalHeight, client.Width(),
                                             client.Height(), current);
    if (target != current) window_.ScrollToPosition(target);
}
