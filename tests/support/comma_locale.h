#pragma once

// Runs tests under a locale whose decimal point is a comma, as the programs run for a user
// whose environment asks for one (Qt takes LC_ALL from the environment), and puts the
// locale back afterwards.

#include <clocale>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

namespace testsupport {

#if defined(_WIN32)
inline constexpr const char* kCommaLocale = "German_Germany.1252";
inline constexpr const char* kNoCommaLocale = "the runtime has no German_Germany.1252 locale";
#else
inline constexpr const char* kCommaLocale = "de_DE.UTF-8";
inline constexpr const char* kNoCommaLocale =
    "the locale de_DE.UTF-8 is not installed (scripts/install-deps.sh generates it)";
#endif

// Enters the comma locale on Enter(); the locale before that comes back on destruction.
class CommaLocale {
public:
    CommaLocale() = default;
    ~CommaLocale() {
        if (!saved_.empty()) std::setlocale(LC_ALL, saved_.c_str());
    }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    // False when the locale is not installed.
    bool Enter() {
        const char* current = std::setlocale(LC_ALL, nullptr);
        saved_ = current ? current : "C";
        return std::setlocale(LC_ALL, kCommaLocale) != nullptr;
    }
    // What the C library makes of 2.5 now: "2,5" once entered.
    static std::string Probe() {
        char text[16];
        std::snprintf(text, sizeof text, "%.1f", 2.5);
        return text;
    }

private:
    std::string saved_;
};

// Enters the comma locale, or skips saying why; a fixture that needs a Qt application
// starts it first, since starting one sets the locale from the environment.
#define VARNELLE_ENTER_COMMA_LOCALE(locale)                                                    \
    do {                                                                                         \
        if (!(locale).Enter()) GTEST_SKIP() << ::testsupport::kNoCommaLocale;                    \
        ASSERT_EQ(::testsupport::CommaLocale::Probe(), "2,5");                                   \
    } while (0)

class CommaLocaleTest : public ::testing::Test {
protected:
    void SetUp() override { VARNELLE_ENTER_COMMA_LOCALE(locale_); }

private:
    CommaLocale locale_;
};

}  // namespace testsupport
