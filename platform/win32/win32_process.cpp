#include "platform/win32/win32_process.h"

#include <process.h>

namespace platform::win32 {

bool Win32ProcessReplacer::Replace(const std::string& program, const std::vector<std::string>& arguments) {
    std::vector<const char*> argv;
    argv.push_back(program.c_str());
    for (const auto& argument : arguments) argv.push_back(argument.c_str());
    argv.push_back(nullptr);
    ::_execvp(program.c_str(), argv.data());
    return false;
}

}  // namespace platform::win32
