#include "viewer/frame/status_pane_updates.h"

#include "platform/clock.h"
#include "viewer/document/varnelle_doc.h"
#include "viewer/frame/status_pane_texts.h"
#include "viewer/res/command_ids.h"
#include "viewer/view/view_services.h"

void ForEachPaneUpdate(const DocumentProvider& documents, const platform::Clock& clock,
                       const std::function<void(int id, std::function<void(CmdUI&)> update)>& add) {
    add(cmd::ID_INDICATOR_ZOOM, [&documents](CmdUI& ui) {
        if (const CVarnelleDoc* doc = documents.ActiveDocument()) {
            ui.SetText(ZoomPaneText(doc->m_fZoom));
            ui.Enable();
        }
    });
    add(cmd::ID_INDICATOR_SLIDE, [&documents](CmdUI& ui) {
        if (const CVarnelleDoc* doc = documents.ActiveDocument()) {
            ui.SetText(SlidePaneText(doc->m_nCurrentSlide, doc->m_nSlideCount));
            ui.Enable();
        }
    });
    add(cmd::ID_INDICATOR_CLOCK, [&clock](CmdUI& ui) {
        ui.SetText(ClockPaneText(clock.Now()));
        ui.Enable();
    });
}
