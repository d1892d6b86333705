#pragma once

#include "viewer/print/printer_settings.h"

#include <QPageSize>

class QPrinterInfo;

// The printer record's paper as a Qt page size and back.
PaperSize PaperOf(const QPageSize& size);
// The printer's own page size of the paper's name, else one of the recorded size (a printer
// that does not list the name); the printer's default paper when the record names none.
// Invalid when there is neither.
QPageSize PageSizeFor(const PaperSize& paper, const QPrinterInfo& printer);

class QPrintDialog;

// Runs the system's print dialog keeping its printer's paper. Qt's dialog puts the printer's
// default paper back on OK unless its page setup was opened, and opens that page setup on
// the default paper too. Here the page setup opens on the printer's paper, and unless the
// user closed it with OK the paper stays as it was (on the same printer, or on one that lists
// the paper by name). Returns what exec returns.
int ExecKeepingPaper(QPrintDialog& dialog);
