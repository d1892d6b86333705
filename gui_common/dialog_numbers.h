#pragma once

#include "platform/messages.h"

#include <string>

namespace gui {

// Numbers in dialog boxes as the framework shows and reads them: '.' is the decimal point
// whatever the user's locale, so a value shown can always be read back. Free of Qt, so
// the window-system-free dialog cores use it as well.

// General format with six significant digits: 6 -> "6", 0.75 -> "0.75", 1e6 -> "1e+06".
std::string FloatToDialogText(double value);

// Blanks around one number and nothing else. A text that reads as 0 without starting with
// '0' is refused (so is "-0"), and so is NaN; false leaves `value` undefined.
bool ParseDialogFloat(const std::string& text, double* value);

// Reads a float box's text within [min, max]. False when refused, with `prompt` set to the
// framework's prompt for it; `value` is then left alone.
bool ReadDialogFloat(const std::string& text, double min, double max, float* value, std::string* prompt);

// A number prompt as a message box: the program's name as caption, the warning icon, OK.
platform::Message NumberPrompt(const std::string& text, const std::string& programName);

}  // namespace gui
