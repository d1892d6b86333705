#include "platform/win32/win32_process.h"

#include <process.h>

namespace platform::win32 {

std::string QuoteArgument(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos) return argument;
    // Backslashes are plain unless a quote follows them: then each is doubled, and the
    // quote itself is escaped; the closing quote counts as following the last ones.
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') quoted.append(backslashes * 2 + 1, '\\');
        else quoted.append(backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + '"';
}

bool Win32ProcessReplacer::Replace(const std::string& program, const std::vector<std::string>& arguments) {
    std::vector<std::string> quoted{QuoteArgument(program)};
    for (const auto& argument : arguments) quoted.push_back(QuoteArgument(argument));
    std::vector<const char*> argv;
    for (const auto& argument : quoted) argv.push_back(argument.c_str());
    argv.push_back(nullptr);
    ::_execvp(program.c_str(), argv.data());
    return false;
}

}  // namespace platform::win32
