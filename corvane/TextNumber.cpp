#include "corvane/TextNumber.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

std::string RemoveSpaces(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c != ' ') {
            result.push_back(c);
        }
    }
    return result;
}

bool IsDecimalDigit(char c)
{
    return c >= '0' && c <= '9';
}

int64_t SaturatingMultiply(int64_t a, int64_t b)
{
    int64_t product = 0;
    if (__builtin_mul_overflow(a, b, &product)) {
        return ((a < 0) != (b < 0)) ? std::numeric_limits<int64_t>::min() : std::numeric_limits<int64_t>::max();
    }
    return product;
}

int64_t SaturatingAdd(int64_t a, int64_t b)
{
    int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) {
        return a < 0 ? std::numeric_limits<int64_t>::min() : std::numeric_limits<int64_t>::max();
    }
    return sum;
}

int64_t ReadLeadingInteger(std::string_view text)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    int64_t value = 0;
    for (; i < text.size() && IsDecimalDigit(text[i]); ++i) {
        const int digit = text[i] - '0';
        if (value > (kMax - digit) / 10) {
            return negative ? std::numeric_limits<int64_t>::min() : kMax;
        }
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

int64_t SaturatingToInt64(double x)
{
    if (std::isnan(x)) {
        return 0;
    }
    // 2^63 is exactly representable; anything at or beyond it saturates.
    constexpr double kLimit = 9223372036854775808.0;
    if (x >= kLimit) {
        return std::numeric_limits<int64_t>::max();
    }
    if (x <= -kLimit) {
        return std::numeric_limits<int64_t>::min();
    }
    return static_cast<int64_t>(x);
}

std::string FormatFixed(double value, int precision)
{
    std::array<char, 400> buffer{};
    const int digits = std::clamp(precision, 0, 30);
    const auto [end, ec] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, digits);
    if (ec != std::errc()) {
        return std::string();
    }
    return std::string(buffer.data(), end);
}

bool ParseTypedNumber(std::string_view text, double& number)
{
    std::size_t start = 0;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        start = 1;
    }
    const std::string_view body = text.substr(start);
    if (body.empty() || (start == 0 && !IsDecimalDigit(body[0]))) {
        return false;
    }
    bool anyDigit = false;
    for (char c : body) {
        if (IsDecimalDigit(c)) {
            anyDigit = true;
        } else if (c != '.') {
            return false;
        }
    }
    if (!anyDigit) {
        return false;
    }
    // Read up to the second point.
    const std::size_t firstPoint = body.find('.');
    const std::size_t secondPoint =
        firstPoint == std::string_view::npos ? std::string_view::npos : body.find('.', firstPoint + 1);
    const std::string_view digits = body.substr(0, secondPoint);
    const bool negative = text[0] == '-';
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                           std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range) {
        const std::string_view whole = digits.substr(0, digits.find('.'));
        const bool large = whole.find_first_not_of('0') != std::string_view::npos;
        value = large ? std::numeric_limits<double>::max() : 0.0;
    } else if (ec != std::errc()) {
        // Only the point-first forms (".5", ".") are left: a leading zero reads them.
        const std::string withZero = "0" + std::string(digits);
        if (std::from_chars(withZero.data(), withZero.data() + withZero.size(), value,
                            std::chars_format::fixed).ec != std::errc()) {
            return false;
        }
    }
    number = negative ? -value : value;
    return true;
}
