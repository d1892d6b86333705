#pragma once

#include "viewer/print/printer_settings.h"
#include "viewer/app/text_tools.h"
#include "viewer/print/print_geometry.h"

#include <optional>
#include <string>

class CVarnelleApp;
class CVarnelleDoc;

namespace platform {
class MessageSink;
}

// What the Print dialog's controls hold, as text where the controls are edits.
struct PrintDlgControls {
    int orientation = -1;  // radio index, -1 when none is checked
    int placement = -1;
    std::string pixelsPerInch;
    std::string leftPad;
    std::string topPad;
    bool operator==(const PrintDlgControls&) const = default;
};

// The dialog's window: its controls, the sketch, closing.
class PrintDlgWindow {
public:
    virtual ~PrintDlgWindow() = default;
    virtual PrintDlgControls ReadControls() const = 0;
    virtual void WriteControls(const PrintDlgControls& controls) = 0;
    virtual void EnableControl(int id, bool enable) = 0;
    virtual void SetPrinterName(const std::string& name) = 0;
    // Invalidates, erases and repaints the sketch at once.
    virtual void RedrawSketch() = 0;
    virtual void EndDialog(int result) = 0;
};

// What the dialog asks of the application and the main window.
class PrintDlgHost {
public:
    virtual ~PrintDlgHost() = default;
    // A device of the application's current printer; none when there is no printer.
    virtual std::optional<PrinterCaps> CreatePrinterDC() = 0;
    // The print-setup command sent to the main window.
    virtual void SendPrintSetup() = 0;
};

// The program's own Print dialog: resolution, placement and orientation of the one printed
// page, with a sketch of paper, printable area and picture. Window-system free.
// The system's headers define IDOK and IDCANCEL as macros of the same values.
#pragma push_macro("IDOK")
#pragma push_macro("IDCANCEL")
#undef IDOK
#undef IDCANCEL
class CPrintDlg {
public:
    static constexpr int IDOK = 1;
    static constexpr int IDCANCEL = 2;
    static constexpr int IDD = 285;
    static constexpr int IDC_PIXELS_LABEL = 1167;
    static constexpr int IDC_PIXELS_PER_INCH = 1164;
    static constexpr int IDC_LEFT_PAD = 1165;
    static constexpr int IDC_TOP_PAD = 1166;
    static constexpr int IDC_PRINTER_NAME = 1352;
    static constexpr int IDC_PRINTER_SETUP = 1353;
    static constexpr int IDC_PORTRAIT = 1354;
    static constexpr int IDC_LANDSCAPE = 1355;
    static constexpr int IDC_PLACEMENT_FIRST = 1356;  // five radios, 1356 to 1360
    static constexpr int IDC_PLACEMENT_LAST = 1360;
    static constexpr int IDC_PREVIEW = 1361;
    static constexpr int IDC_ORIENTATION_GROUP = 1362;

    enum Placement { kDefaultOffset = 0, kCenterOnPage = 1, kFitToPage = 2, kUpperLeft = 3, kCustomOffset = 4 };

    static constexpr int kMaxResolutionChars = 4;
    static constexpr float kMinPad = -20000.0f;
    static constexpr float kMaxPad = 20000.0f;

    CPrintDlg(CVarnelleDoc& doc, CVarnelleApp& app, PrintDlgHost& host, platform::MessageSink& messages);

    void Attach(PrintDlgWindow& window) { window_ = &window; }

    bool OnInitDialog();
    void ReadPrinterMetrics();
    void UpdatePlacement();
    void OnChangeLeftPad();
    void OnChangeTopPad();
    void OnChangePixelsPerInch();
    void OnPortrait();
    void OnLandscape();
    void OnPrinterSetup();
    void OnPreview();
    void OnOK();
    void OnCancel();

    // The sketch for the orientation group's and the Print button's rectangles (client
    // pixels); also kept in m_rcPreview.
    PrintSketch Sketch(const Rect& orientationGroup, const Rect& printButton);

    // Data exchange: true pulls the controls into the members (false on the first value
    // refused, after its prompt), false pushes the members into the controls.
    bool UpdateData(bool saveAndValidate);

    float m_fTop = 0;
    float m_fLeft = 0;
    float m_fInitialTop = 0;
    float m_fInitialLeft = 0;
    int m_nPixelsPerInch = 0;
    PrinterMetrics m_metrics;
    int m_bPreview = 0;
    Rect m_rcPreview;
    int m_nOrientation = -1;
    int m_nPlacement = kCenterOnPage;
    std::string m_strPixelsPerInch;
    float m_fLeftPadEdit = 0;
    float m_fTopPadEdit = 0;

private:
    void ShowPrinter();
    bool PullOrRestore();
    void ApplyOrientation(PrintOrientation orientation);
    void EnableEdits(bool pads, bool resolution);
    void StoreInDocument();

    CVarnelleDoc& doc_;
    CVarnelleApp& app_;
    PrintDlgHost& host_;
    platform::MessageSink& messages_;
    PrintDlgWindow* window_ = nullptr;
    CTextTools textTools_;
    // Edit notifications that come while the controls are first filled are not the user's.
    bool initialised_ = false;
};
#pragma pop_macro("IDCANCEL")
#pragma pop_macro("IDOK")

// Digits, '.' and '-' only: what the resolution edit takes.
bool IsResolutionText(const std::string& text);
