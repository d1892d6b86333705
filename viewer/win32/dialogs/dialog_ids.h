#pragma once

// Resource numbers of the viewer's dialogs, their controls and the folder tree's pictures
// (plain defines: the resource compiler and the build machine's generator read them too).
#define IDR_PROGRAM_ICON 128

#define IDD_ABOUTBOX 100
#define IDD_TRANSITIONS 137
#define IDD_FOLDER 408
#define IDD_ZOOM 414
#define IDD_QUICKHELP 515
#define IDD_NAVBAR 600

#define IDC_ZOOM_SCALE 1529
#define IDC_MODE_AUTO_ONLY 1000
#define IDC_MODE_ALWAYS 1001
#define IDC_MODE_NONE 1002
#define IDC_PAGE_INTERVAL 1003
#define IDC_TRANSITION_INTERVAL 1004
#define IDC_CORNER_UPPER_LEFT 1876
#define IDC_CORNER_UPPER_RIGHT 1877
#define IDC_CORNER_LOWER_LEFT 1878
#define IDC_CORNER_LOWER_RIGHT 1879
#define IDC_SHOW_NAVBAR 1880
#define IDC_FOLDER_TREE 1334

// The tree's image list, in index order: fixed, removable, CD-ROM, network, RAM disk
// (the fixed drive's picture), folder, selected folder and the two spares.
#define IDB_FIXED_DRIVE 469
#define IDB_REMOVABLE_DRIVE 472
#define IDB_CDROM_DRIVE 474
#define IDB_NETWORK_DRIVE 473
#define IDB_FOLDER 146
#define IDB_SELECTED_FOLDER 165
#define IDB_SPARE_OPEN_FOLDER 571
#define IDB_SPARE_COMPUTER 570
