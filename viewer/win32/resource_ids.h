#pragma once

// Resource numbers of the program's resource script (plain defines: windres reads them).
#define IDR_MAINFRAME 128
#define IDB_NAVBAR 377
