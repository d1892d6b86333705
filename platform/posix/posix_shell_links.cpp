#include "platform/posix/posix_shell_links.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace platform::posix {
namespace {

// Values of a desktop entry escape backslashes and line breaks; Exec arguments are
// quoted, with ", `, $ and \ escaped inside the quotes.
std::string EscapeValue(const std::string& value) {
    std::string out;
    for (char c : value) {
        if (c == '\\') out += "\\\\";
        else if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else if (c == '\t') out += "\\t";
        else out += c;
    }
    return out;
}

std::string QuoteExec(const std::string& arg) {
    std::string quoted = "\"";
    for (char c : arg) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    return EscapeValue(quoted);
}

}  // namespace

std::string DesktopEntryText(const std::string& target, const std::string& workingDirectory,
                             const std::string& description) {
    return "[Desktop Entry]\nType=Application\nName=" + EscapeValue(description) +
           "\nExec=" + QuoteExec(target) + "\nPath=" + EscapeValue(workingDirectory) + "\n";
}

long PosixShellLinks::SaveLink(const std::string& target, const std::string& workingDirectory,
                               const std::string& description, const std::string& linkPath) {
    const std::string text = DesktopEntryText(target, workingDirectory, description);
    const int fd = ::open(linkPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0755);
    if (fd < 0) return kLinkFailed;
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    const bool closed = ::close(fd) == 0;
    return done == text.size() && closed ? kLinkOk : kLinkFailed;
}

}  // namespace platform::posix
