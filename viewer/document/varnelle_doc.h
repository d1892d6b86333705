#pragma once

#include "viewer/app/file_tools.h"
#include "viewer/print/printer_settings.h"
#include "viewer/app/text_tools.h"
#include "viewer/document/command_target.h"
#include "viewer/document/dib_image.h"
#include "viewer/document/dib_tools.h"
#include "viewer/document/geometry.h"

#include <optional>
#include <string>
#include <vector>

namespace platform {
class FileSystem;
class Heap;
class MessageSink;
}  // namespace platform
class PrinterService;

// What the document takes from outside: files, message boxes, the system's printers and
// the heap its navigator bar picture is released to.
struct DocumentServices {
    platform::FileSystem& fs;
    platform::MessageSink& messages;
    const PrinterService& printers;
    platform::Heap& heap;
};

// The wait cursor shown while a show loads.
class WaitCursor {
public:
    virtual ~WaitCursor() = default;
    virtual void Begin() = 0;
    virtual void End() = 0;
};

// The dialogs behind the document's Custom zoom and Help Topics commands.
class DocumentDialogs {
public:
    virtual ~DocumentDialogs() = default;
    // Custom zoom; false on Cancel.
    virtual bool RunCustomZoom(float& scale) = 0;
    virtual void RunQuickHelp() = 0;
};

// The one document: the slide list and the state that view, frame and dialogs share.
class CVarnelleDoc final : public CommandTarget {
public:
    // Bitmap resource of the navigator bar.
    static constexpr int kNavBarBitmap = 377;

    // `resources` holds the navigator bar's bitmap.
    CVarnelleDoc(DocumentServices services, WaitCursor& waitCursor, const BitmapResources& resources);

    // Loads the show at `startPath`: a folder's images or a collage file; none when empty.
    // The first slide whose file name is `firstSlide` becomes the one shown first.
    bool OnNewDocument(const std::string& startPath, const std::string& firstSlide = {});
    void ResetViewState();
    void SetZoomTarget(CommandTarget* target) { m_hWndZoomTarget = target; }
    // Until dialogs are given, Custom zoom and Help Topics are not the document's commands.
    void SetDialogs(DocumentDialogs* dialogs);
    void NotifyZoomChanged();

    std::vector<std::string> m_astrSlides;
    int m_bNavBarPressed = 0;
    CommandTarget* m_hWndZoomTarget = nullptr;
    int m_bFullScreen = 0;
    float m_fZoom = 1.0f;
    int m_nCurrentSlide = 0;
    // Index of the slide the view's initial update starts at.
    int m_nFirstSlide = 0;
    int m_nSlideCount = 0;
    Point m_ptScroll;
    Rect m_rcClient;
    Rect m_rcExtent;
    Rect m_rcClientScreen;
    std::optional<PrinterMode> m_hDevMode;
    std::optional<PrinterNames> m_hDevNames;
    int m_nPrintPixelsPerInch = 100;
    float m_fPrintLeftPad = 0.36f;
    float m_fPrintTopPad = 0.42f;
    int m_bNavBarVisible = 1;
    int m_nNavBarCorner = 0;
    Rect m_rcNavBar{0, 0, 280, 25};
    int m_nNavBarHotButton = 0;
    DibImage m_dibNavBar;

private:
    void CopyDefaultPrinter();
    void BuildFolderList(const std::string& folder);
    int SlideIndexOf(const std::string& fileName) const;
    void SetZoom(float zoom);

    DocumentServices services_;
    WaitCursor& waitCursor_;
    DocumentDialogs* dialogs_ = nullptr;
    CFileTools fileTools_;
    CTextTools textTools_;
    CDibTools dibTools_;
    const BitmapResources& resources_;
};
