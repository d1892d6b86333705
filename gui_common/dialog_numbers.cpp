#include "gui_common/dialog_numbers.h"

#include "gui_common/framework_texts.h"

#include <charconv>
#include <cmath>

namespace gui {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

void ReplaceFirst(std::string& text, const std::string& mark, const std::string& with) {
    const auto at = text.find(mark);
    if (at != std::string::npos) text.replace(at, mark.size(), with);
}

}  // namespace

std::string FloatToDialogText(double value) {
    // to_chars never looks at the locale, unlike printf.
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    return std::string(buffer, result.ptr);
}

bool ParseDialogFloat(const std::string& text, double* value) {
    const char* p = text.data();
    const char* end = p + text.size();
    while (p != end && IsBlank(*p)) ++p;
    const char first = p != end ? *p : '\0';
    // strtod would read in the user's locale; from_chars reads '.' only, but takes no '+'.
    const char* number = first == '+' ? p + 1 : p;
    double parsed = 0.0;
    const auto result = std::from_chars(number, end, parsed);
    const char* rest = p;
    if (result.ec == std::errc()) {
        rest = result.ptr;
    } else if (result.ec == std::errc::result_out_of_range) {
        rest = result.ptr;
        parsed = HUGE_VAL;  // out of any range the boxes allow
    }
    if (parsed == 0.0 && first != '0') return false;
    if (std::isnan(parsed)) return false;
    while (rest != end && IsBlank(*rest)) ++rest;
    if (rest != end) return false;
    *value = parsed;
    return true;
}

bool ReadDialogFloat(const std::string& text, double min, double max, float* value, std::string* prompt) {
    double parsed = 0.0;
    if (!ParseDialogFloat(text, &parsed)) {
        *prompt = texts::kEnterNumber;
        return false;
    }
    if (parsed < min || parsed > max) {
        *prompt = texts::kEnterNumberBetween;
        ReplaceFirst(*prompt, "%1", FloatToDialogText(min));
        ReplaceFirst(*prompt, "%2", FloatToDialogText(max));
        return false;
    }
    *value = static_cast<float>(parsed);
    return true;
}

platform::Message NumberPrompt(const std::string& text, const std::string& programName) {
    return platform::Warning(text, programName);
}

}  // namespace gui
