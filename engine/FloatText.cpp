#include "engine/FloatText.h"

#include <array>
#include <cerrno>
#include <cmath>

#if defined(__EMSCRIPTEN__)
#include <cstdio>
#include <cstdlib>
#else
#include <charconv>
#endif

namespace Quillmere {

#if defined(__EMSCRIPTEN__)

bool ReadFloat(std::string_view digits, double& value, bool& outOfRange) {
    const std::string text(digits);
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text.c_str(), &end);
    outOfRange = errno == ERANGE;
    return !outOfRange && end == text.c_str() + text.size();
}

std::string GeneralText15(double value) {
    std::array<char, 64> buffer{};
    const int n = std::snprintf(buffer.data(), buffer.size(), "%.15g", value);
    return std::string(buffer.data(), static_cast<std::size_t>(n));
}

std::string FixedText(double value, int decimals) {
    std::array<char, 400> buffer{};
    const int n = std::snprintf(buffer.data(), buffer.size(), "%.*f", decimals, value);
    return std::string(buffer.data(), static_cast<std::size_t>(n));
}

std::string ShortestScientificText(double value) {
    std::array<char, 64> buffer{};
    int n = 0;
    for (int decimals = 0; decimals < 17; ++decimals) {
        n = std::snprintf(buffer.data(), buffer.size(), "%.*e", decimals, value);
        if (std::strtod(buffer.data(), nullptr) == value) {
            break;
        }
    }
    return std::string(buffer.data(), static_cast<std::size_t>(n));
}

#else

bool ReadFloat(std::string_view digits, double& value, bool& outOfRange) {
    const char* last = digits.data() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.data(), last, value, std::chars_format::general);
    outOfRange = ec == std::errc::result_out_of_range;
    return ec == std::errc() && ptr == last;
}

std::string GeneralText15(double value) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, 15);
    return std::string(buffer.data(), result.ptr);
}

std::string FixedText(double value, int decimals) {
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    return std::string(buffer.data(), result.ptr);
}

std::string ShortestScientificText(double value) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific);
    return std::string(buffer.data(), result.ptr);
}

#endif

} // namespace Quillmere
