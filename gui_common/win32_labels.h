#pragma once
// Dialog labels under the system's window classes, for both programs' Windows faces.

#include <windows.h>

// A one-line label is never narrower than its text, so that a wider stand-in for the dialog
// font does not cut it short: it grows from its left edge, or about its centre when centred.
void FitOneLineLabels(HWND dialog);
