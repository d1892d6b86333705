#pragma once
// For the build-machine programs that write resource-script fragments from the texts header.

#include <string>

// A text as a resource-script string: quotes doubled, tab, line break and backslash escaped.
inline std::string RcQuoted(const char* text) {
    std::string out = "\"";
    for (const char* p = text; *p; ++p) {
        if (*p == '"') out += "\"\"";
        else if (*p == '\t') out += "\\t";
        else if (*p == '\n') out += "\\n";
        else if (*p == '\\') out += "\\\\";
        else out += *p;
    }
    return out + "\"";
}
