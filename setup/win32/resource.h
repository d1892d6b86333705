#pragma once

// Template and control ids of the installer's dialogs, shared by setup.rc and the dialog
// procedures. OK and Cancel buttons carry IDOK and IDCANCEL, so Enter and Escape reach them.

#define IDD_SETUP 100
#define IDD_INSTALL 101
#define IDD_CHOOSE_DRIVE 102
#define IDD_LICENSE 103
#define IDD_EDIT_CONFIG 104
#define IDD_INSTRUCTIONS 105

// Main dialog.
#define IDC_INSTALL 1000
#define IDC_UNINSTALL 1001
#define IDC_EXPLORE 1002
#define IDC_INSTALL_LABEL 1003
#define IDC_UNINSTALL_LABEL 1004
#define IDC_EXPLORE_LABEL 1005
#define IDC_EXIT_LABEL 1006

// Install dialog.
#define IDC_DIRECTORY_LABEL 1010
#define IDC_DIRECTORY 1011
#define IDC_CHOOSE_DRIVE 1012
#define IDC_REQUIRED_LABEL 1013
#define IDC_REQUIRED 1014
#define IDC_AVAILABLE_LABEL 1015
#define IDC_AVAILABLE 1016
#define IDC_DEPTH_LABEL 1017
#define IDC_DEPTH 1018
#define IDC_EDIT 1019

// Drive chooser.
#define IDC_DRIVE_TREE 1020

// Licence agreement and configuration editor: their text boxes are made with the window.
#define IDC_LICENSE_TEXT 1030
#define IDC_CONFIG_TEXT 1040
#define IDC_INSTRUCTIONS 1041

// Instructions: the 19 texts in order, from IDC_INSTRUCTION_FIRST up.
#define IDC_INSTRUCTION_FIRST 1050
