#pragma once

#include <string>

namespace gui {

// Numbers in dialog edits as the framework shows and reads them.

// General format with six significant digits: 6 -> "6", 0.75 -> "0.75", 1e6 -> "1e+06".
std::string FloatToDialogText(double value);

// The whole text must be one number (leading blanks allowed); false otherwise.
bool ParseDialogFloat(const std::string& text, double* value);

}  // namespace gui
