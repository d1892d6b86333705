#include "viewer/app/text_tools.h"

#include "platform/file_system.h"

#include <cstdint>

std::string CTextTools::IntToText(int n) const { return std::to_string(n); }

int CTextTools::TextToInt(const std::string& text) const {
    // Unsigned arithmetic so that long texts wrap instead of overflowing.
    std::uint32_t value = 0;
    std::uint32_t place = 1;
    for (auto it = text.rbegin(); it != text.rend(); ++it) {
        const char c = *it;
        const std::uint32_t digit = (c >= '0' && c <= '9') ? static_cast<std::uint32_t>(c - '0')
                                                           : static_cast<std::uint32_t>(-1);
        value += digit * place;
        place *= 10u;
    }
    return static_cast<int>(value);
}

float CTextTools::TextToFloat(const std::string& text) const {
    if (text.empty()) return 0.0f;
    std::string body = text;
    const bool negative = body[0] == '-';
    if (negative) body.erase(0, 1);
    if (body.empty()) return 0.0f;
    float result = 0.0f;
    const auto point = body.find('.');
    if (point == std::string::npos) {
        result = static_cast<float>(TextToInt(body));
    } else {
        const int whole = TextToInt(body.substr(0, point));
        const std::string decimals = body.substr(point + 1);
        const int fraction = TextToInt(decimals);
        double divisor = 1.0;
        for (std::size_t i = 0; i < decimals.size(); ++i) divisor *= 10.0;
        result = static_cast<float>(whole + fraction / divisor);
    }
    return negative ? -result : result;
}

std::string CTextTools::FloatToText(float x) const {
    // The product is formed in extended precision from the single-precision value, so
    // 0.7f (0.69999999) gives 699.99998... and truncates to 699.
    const long double product = static_cast<long double>(x) * 1000.0L;
    const long double limit = 9.0e18L;
    const std::int64_t n = product >= limit ? static_cast<std::int64_t>(limit)
                           : product <= -limit ? -static_cast<std::int64_t>(limit)
                                               : static_cast<std::int64_t>(product);
    const std::int64_t rest = n % 1000 < 0 ? -(n % 1000) : n % 1000;
    const char digits[4] = {static_cast<char>('0' + rest / 100), static_cast<char>('0' + rest / 10 % 10),
                            static_cast<char>('0' + rest % 10), '\0'};
    std::string text = std::to_string(n / 1000) + "." + digits;
    while (text.size() >= 2 && text.back() == '0' && text[text.size() - 2] != '.') text.pop_back();
    return text;
}

std::string CTextTools::GetExtension(const std::string& path) const {
    const auto point = path.rfind('.');
    if (point == std::string::npos) return {};
    std::string ext = path.substr(point + 1);
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return ext;
}

std::string CTextTools::GetFileName(const std::string& path) const {
    const auto slash = path.find_last_of(platform::kPathSeparators);
    if (slash == std::string::npos) return {};
    return path.substr(slash + 1);
}
