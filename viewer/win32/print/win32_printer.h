#pragma once

#include "viewer/print/print_geometry.h"
#include "viewer/print/print_mapping.h"
#include "viewer/print/printer_settings.h"

#include <windows.h>

#include <optional>
#include <vector>

// The application's printer record as the print spooler's names and mode blocks and back,
// device contexts made from it, and the page's print mapping on a device context.
namespace win32print {

// The printer's own mode record with the record's orientation and paper merged in; empty
// when the spooler does not know the printer.
std::vector<char> DevModeFor(const PrinterSettings& settings);
// A device context of the record's printer, or null.
HDC CreatePrinterDC(const PrinterSettings& settings);
// The record of what a system print dialog returned (its global names and mode blocks).
PrinterSettings SettingsOf(HGLOBAL devNames, HGLOBAL devMode);
// Fresh movable global blocks of the record, for a system print dialog to start on; the
// dialog owns them from then on.
HGLOBAL GlobalDevNames(const PrinterSettings& settings);
HGLOBAL GlobalDevMode(const PrinterSettings& settings);
PrinterCaps CapsOf(HDC dc);

// Sets MM_ISOTROPIC with the mapping's extents and window origin.
void ApplyMapping(HDC dc, const PrintMapping& mapping);

}  // namespace win32print
