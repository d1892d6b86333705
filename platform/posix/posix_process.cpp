#include "platform/posix/posix_process.h"

#include <unistd.h>

namespace platform::posix {

bool PosixProcessReplacer::Replace(const std::string& program,
                                   const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    ::execvp(program.c_str(), argv.data());
    return false;
}

}  // namespace platform::posix
