#pragma once

#include "viewer/print/print_mapping.h"
#include "viewer/print/view_printing.h"

class CVarnelleDoc;

namespace platform {
class MessageSink;
}

// The view's side of a print job: what is asked before the job starts and how the page is
// mapped onto the printer. The page itself is the view's to paint.
class ViewPrintJob {
public:
    explicit ViewPrintJob(platform::MessageSink& messages) : messages_(messages) {}

    // The print loop; null until the view can print.
    ViewPrintHost* Host() const { return host_; }
    void SetHost(ViewPrintHost* host) { host_ = host; }

    // One page, after the program's and the system's Print dialogs; false stops the job
    // (also when the program's dialog chose the preview, which it starts instead).
    bool Prepare(PrintInfo& info, bool hasDocument);
    // The printer mapping of the document's placement for a printer of the given pixels
    // per inch; the default placement without a document.
    static PrintMapping MapFor(const CVarnelleDoc* doc, int printerDpiX, int printerDpiY);

private:
    platform::MessageSink& messages_;
    ViewPrintHost* host_ = nullptr;
};
