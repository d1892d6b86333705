#include "viewer/print/print_dlg.h"

#include "gui_common/dialog_numbers.h"
#include "platform/messages.h"
#include "viewer/app/varnelle_app.h"
#include "viewer/document/varnelle_doc.h"
#include "viewer/res/texts.h"

#include <climits>
#include <string>

bool IsResolutionText(const std::string& text) {
    for (const char c : text)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-')) return false;
    return true;
}

CPrintDlg::CPrintDlg(CVarnelleDoc& doc, CVarnelleApp& app, PrintDlgHost& host, platform::MessageSink& messages)
    : doc_(doc), app_(app), host_(host), messages_(messages) {}

bool CPrintDlg::UpdateData(bool saveAndValidate) {
    if (!window_) return false;
    if (!saveAndValidate) {
        window_->WriteControls({m_nOrientation, m_nPlacement, m_strPixelsPerInch, gui::FloatToDialogText(m_fLeftPadEdit),
                                gui::FloatToDialogText(m_fTopPadEdit)});
        return true;
    }
    const PrintDlgControls controls = window_->ReadControls();
    m_nOrientation = controls.orientation;
    m_nPlacement = controls.placement;
    m_strPixelsPerInch = controls.pixelsPerInch.substr(0, kMaxResolutionChars);
    for (const auto& [text, member] : {std::pair{&controls.leftPad, &m_fLeftPadEdit}, std::pair{&controls.topPad, &m_fTopPadEdit}}) {
        std::string prompt;
        if (!gui::ReadDialogFloat(*text, kMinPad, kMaxPad, member, &prompt)) {
            messages_.Show(gui::NumberPrompt(prompt, texts::kAppTitle));
            return false;
        }
    }
    return true;
}

bool CPrintDlg::OnInitDialog() {
    m_fLeft = m_fInitialLeft = doc_.m_fPrintLeftPad;
    m_fTop = m_fInitialTop = doc_.m_fPrintTopPad;
    m_nPixelsPerInch = doc_.m_nPrintPixelsPerInch;
    m_bPreview = 0;
    ShowPrinter();
    initialised_ = true;
    UpdatePlacement();
    UpdateData(false);
    return true;
}

// Metrics, printer name and orientation: the name and orientation come from the
// document's own printer copies, the metrics from the application's current printer.
void CPrintDlg::ShowPrinter() {
    ReadPrinterMetrics();
    if (window_ && doc_.m_hDevMode) window_->SetPrinterName(doc_.m_hDevMode->deviceName);
    if (doc_.m_hDevMode) {
        if (doc_.m_hDevMode->orientation == PrintOrientation::Portrait) m_nOrientation = 0;
        else if (doc_.m_hDevMode->orientation == PrintOrientation::Landscape) m_nOrientation = 1;
    }
    UpdateData(false);
}

void CPrintDlg::ReadPrinterMetrics() {
    std::optional<PrinterCaps> caps = host_.CreatePrinterDC();
    if (!caps) {
        host_.SendPrintSetup();
        caps = host_.CreatePrinterDC();
    }
    m_metrics = caps ? MetricsInTwips(*caps) : PrinterMetrics{};
}

void CPrintDlg::EnableEdits(bool pads, bool resolution) {
    if (!window_) return;
    window_->EnableControl(IDC_LEFT_PAD, pads);
    window_->EnableControl(IDC_TOP_PAD, pads);
    window_->EnableControl(IDC_PIXELS_PER_INCH, resolution);
}

void CPrintDlg::UpdatePlacement() {
    UpdateData(true);
    const int w = doc_.m_rcClient.Width();
    const int h = doc_.m_rcClient.Height();
    const int p = m_nPixelsPerInch;
    const float pw = static_cast<float>(m_metrics.pageWidth) / kTwipsPerInch;
    const float ph = static_cast<float>(m_metrics.pageHeight) / kTwipsPerInch;
    const float ox = static_cast<float>(m_metrics.physicalOffsetX) / kTwipsPerInch;
    const float oy = static_cast<float>(m_metrics.physicalOffsetY) / kTwipsPerInch;
    const float aw = static_cast<float>(m_metrics.printableWidth) / kTwipsPerInch;
    const float ah = static_cast<float>(m_metrics.printableHeight) / kTwipsPerInch;
    // A resolution below 1 leaves the picture without a size instead of dividing by it.
    const float iw = p > 0 ? static_cast<float>(w) / static_cast<float>(p) : 0.0f;
    const float ih = p > 0 ? static_cast<float>(h) / static_cast<float>(p) : 0.0f;

    switch (m_nPlacement) {
    case kDefaultOffset:
        m_fTop = m_fInitialTop;
        m_fLeft = m_fInitialLeft;
        EnableEdits(false, true);
        break;
    case kCenterOnPage:
        m_fLeft = (pw - iw) * 0.5f - ox;
        m_fTop = (ph - ih) * 0.5f - oy;
        EnableEdits(false, true);
        break;
    case kFitToPage:
        // Without a picture or a printable area there is nothing to fit: all stays.
        if (w > 0 && h > 0 && aw > 0 && ah > 0) {
            const float r = static_cast<float>(w) / static_cast<float>(h);
            float fw = r * ah;
            float fh = ah;
            if (fw > aw) {
                fw = aw;
                fh = aw / r;
            }
            const int fitted = TruncToInt(static_cast<double>(w) / fw);
            m_nPixelsPerInch = fitted < INT_MAX ? fitted + 1 : fitted;
            m_fLeft = (aw - fw) * 0.5f;
            m_fTop = (ah - fh) * 0.5f;
        }
        EnableEdits(false, false);
        break;
    case kUpperLeft:
        m_fTop = m_fLeft = 0.0f;
        EnableEdits(false, true);
        break;
    case kCustomOffset: EnableEdits(true, true); break;
    default: break;
    }
    m_fTopPadEdit = oy + m_fTop;
    m_fLeftPadEdit = ox + m_fLeft;
    m_strPixelsPerInch = textTools_.IntToText(m_nPixelsPerInch);
    UpdateData(false);
    if (window_) window_->RedrawSketch();
}

void CPrintDlg::OnChangeLeftPad() {
    if (!initialised_) return;
    if (!PullOrRestore()) return;
    m_fLeft = m_fLeftPadEdit - static_cast<float>(m_metrics.physicalOffsetX) / kTwipsPerInch;
    UpdatePlacement();
}

void CPrintDlg::OnChangeTopPad() {
    if (!initialised_) return;
    if (!PullOrRestore()) return;
    m_fTop = m_fTopPadEdit - static_cast<float>(m_metrics.physicalOffsetY) / kTwipsPerInch;
    UpdatePlacement();
}

void CPrintDlg::OnChangePixelsPerInch() {
    if (!initialised_) return;
    if (!PullOrRestore()) return;
    if (!IsResolutionText(m_strPixelsPerInch)) {
        messages_.Show(platform::Warning(texts::kInvalidInputValue));
        m_strPixelsPerInch = textTools_.IntToText(m_nPixelsPerInch);
        UpdateData(false);
    } else {
        m_nPixelsPerInch = textTools_.TextToInt(m_strPixelsPerInch);
    }
    UpdatePlacement();
}

// A refused value has had its prompt: the controls get the last good values back, and
// nothing is recomputed (which would pull, and prompt, once more).
bool CPrintDlg::PullOrRestore() {
    if (UpdateData(true)) return true;
    UpdateData(false);
    return false;
}

void CPrintDlg::ApplyOrientation(PrintOrientation orientation) {
    // Without a printer record of its own the document has no orientation to change.
    if (!doc_.m_hDevMode || !doc_.m_hDevNames) return;
    doc_.m_hDevMode->orientation = orientation;
    app_.ApplyPrinterSettings(*doc_.m_hDevNames, *doc_.m_hDevMode);
    ReadPrinterMetrics();
    UpdatePlacement();
}

void CPrintDlg::OnPortrait() {
    UpdateData(true);
    if (m_nOrientation == 0) ApplyOrientation(PrintOrientation::Portrait);
}

void CPrintDlg::OnLandscape() {
    UpdateData(true);
    if (m_nOrientation == 1) ApplyOrientation(PrintOrientation::Landscape);
}

void CPrintDlg::OnPrinterSetup() {
    host_.SendPrintSetup();
    ShowPrinter();
    UpdatePlacement();
}

void CPrintDlg::StoreInDocument() {
    doc_.m_fPrintLeftPad = m_fLeft;
    doc_.m_fPrintTopPad = m_fTop;
    // The document never takes a resolution without a picture size.
    if (m_nPixelsPerInch >= 1) doc_.m_nPrintPixelsPerInch = m_nPixelsPerInch;
}

void CPrintDlg::OnPreview() {
    m_bPreview = 1;
    OnOK();
}

void CPrintDlg::OnOK() {
    StoreInDocument();
    if (m_nPixelsPerInch < 1) {
        messages_.Show(platform::Warning(texts::kInvalidInputValue));
        m_bPreview = 0;
        return;
    }
    if (!UpdateData(true)) {
        m_bPreview = 0;
        return;
    }
    if (window_) window_->EndDialog(IDOK);
}

void CPrintDlg::OnCancel() {
    StoreInDocument();
    if (window_) window_->EndDialog(IDCANCEL);
}

PrintSketch CPrintDlg::Sketch(const Rect& orientationGroup, const Rect& printButton) {
    m_rcPreview = {orientationGroup.left - 6, orientationGroup.bottom + 10 - 6, orientationGroup.right + 6,
                   printButton.bottom + 6};
    return SketchRects(m_rcPreview, m_metrics, m_fLeft, m_fTop, doc_.m_rcClient.Width(), doc_.m_rcClient.Height(),
                       m_nPixelsPerInch);
}
