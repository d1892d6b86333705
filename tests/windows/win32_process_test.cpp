// Arguments handed to a started program arrive whole, as the system splits them back.
#include "platform/win32/win32_process.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

namespace {

// The command line made of quoted arguments, split back by the system's own rules.
std::vector<std::string> SplitBack(const std::vector<std::string>& arguments) {
    std::string line = "program.exe";
    for (const auto& argument : arguments) line += " " + platform::win32::QuoteArgument(argument);
    std::wstring wide(line.begin(), line.end());
    int count = 0;
    LPWSTR* split = CommandLineToArgvW(wide.c_str(), &count);
    std::vector<std::string> result;
    for (int i = 1; i < count; ++i) {
        const std::wstring w(split[i]);
        result.emplace_back(w.begin(), w.end());
    }
    LocalFree(split);
    return result;
}

TEST(QuoteArgumentTest, EveryArgumentComesBackWhole) {
    const std::vector<std::vector<std::string>> cases = {
        {"/n,", "/select,C:\\Program Files\\Varnelle"},
        {"C:\\Setup Folder\\", "plain"},
        {"", "a\"b", "tab\there"},
        {"trailing\\\\", "say \\\"so\\\""},
    };
    for (const auto& arguments : cases) EXPECT_EQ(SplitBack(arguments), arguments);
}

TEST(QuoteArgumentTest, PlainArgumentsStayAsTheyAre) {
    EXPECT_EQ(platform::win32::QuoteArgument("C:\\Varnelle\\Setup.exe"), "C:\\Varnelle\\Setup.exe");
    EXPECT_EQ(platform::win32::QuoteArgument("/n,"), "/n,");
}

}  // namespace
