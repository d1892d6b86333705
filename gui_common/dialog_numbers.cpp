#include "gui_common/dialog_numbers.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <locale>
#include <sstream>

namespace gui {

std::string FloatToDialogText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

bool ParseDialogFloat(const std::string& text, double* value) {
    // Read in the classic locale, whatever the user's, so "1,5" is never a number.
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    double parsed = 0;
    in >> std::ws;
    if (in.eof()) return false;
    in >> parsed;
    if (in.fail() || in.peek() != std::char_traits<char>::eof()) return false;
    *value = parsed;
    return true;
}

}  // namespace gui
