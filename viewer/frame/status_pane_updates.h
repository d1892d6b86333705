#pragma once

#include "viewer/document/command_target.h"

#include <functional>

class DocumentProvider;
namespace platform {
class Clock;
}

// The update handlers of the status bar's zoom, slide and clock panes, which every frame
// adds to its command rows: `add` is called once for each pane's command id.
void ForEachPaneUpdate(const DocumentProvider& documents, const platform::Clock& clock,
                       const std::function<void(int id, std::function<void(CmdUI&)> update)>& add);
