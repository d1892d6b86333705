// Writes the Print dialog's texts as resource-script defines, so that print.rc takes every
// text from the one texts header. The build runs it on the build machine.
#include "viewer/win32/rc_quoted.h"
#include "viewer/res/texts.h"

#include <cstdio>
#include <string>

namespace {

void Define(const char* name, const char* text) { std::printf("#define %s %s\n", name, RcQuoted(text).c_str()); }

}  // namespace

int main() {
    Define("TXT_PRINT_CAPTION", texts::kPrintDlgCaption);
    Define("TXT_PRINT", texts::kPrintButton);
    Define("TXT_CANCEL", texts::kCancelButton);
    Define("TXT_PIXELS_PER_INCH", texts::kPixelsPerInchLabel);
    Define("TXT_LEFT_PAD", texts::kLeftPadLabel);
    Define("TXT_TOP_PAD", texts::kTopPadLabel);
    Define("TXT_SIZE_AND_POSITION", texts::kSizeAndPositionGroup);
    Define("TXT_PRINTER_NAME", texts::kPrinterNameInitial);
    Define("TXT_PRINTER", texts::kPrinterGroup);
    Define("TXT_PRINTER_SETUP", texts::kPrinterSetupButton);
    Define("TXT_ORIENTATION", texts::kOrientationGroup);
    Define("TXT_PORTRAIT", texts::kPortrait);
    Define("TXT_LANDSCAPE", texts::kLandscape);
    for (int i = 0; i < 5; ++i) {
        const std::string name = "TXT_PLACEMENT_" + std::to_string(i);
        Define(name.c_str(), texts::kPlacementTexts[i]);
    }
    Define("TXT_PRINT_PREVIEW", texts::kPrintPreviewButton);
    return 0;
}
