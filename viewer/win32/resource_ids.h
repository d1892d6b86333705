#pragma once

// Resource numbers of the program's resource script (plain defines: windres reads them).
#define IDR_MAINFRAME 128
#define IDB_NAVBAR 377
// The navigator bar's cursors: pointing hand, pressing hand, magnifier.
#define IDC_NAV_POINT 219
#define IDC_NAV_PRESS 465
#define IDC_MAGNIFIER 1529
