#pragma once

#include <string>

// The viewer's own number and path text rules: digit-by-digit integers, at most three
// decimals truncated toward zero. The zoom pane and the number boxes go through these.
class CTextTools {
public:
    std::string IntToText(int n) const;
    // Read from the last character back, digit times place value. A character that is
    // not a digit counts as the digit -1 at its place; text too long for 32 bits wraps.
    int TextToInt(const std::string& text) const;
    float TextToFloat(const std::string& text) const;
    std::string FloatToText(float x) const;
    // Lower-case text after the last '.', empty when there is none.
    std::string GetExtension(const std::string& path) const;
    // Text after the last path separator, empty when there is none.
    std::string GetFileName(const std::string& path) const;
};
