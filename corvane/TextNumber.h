// Small text and number helpers of the conversion functions. Independent of
// the C library's locale: the program's user interface may switch the locale
// to one with a decimal comma, while instrument texts always use a point.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// text without its blanks.
std::string RemoveSpaces(std::string_view text);

// The integer at the start of text: an optional sign, then decimal digits,
// read up to the first other character ("2.50" gives 2, "" gives 0).
// Saturates at the int64 limits.
int64_t ReadLeadingInteger(std::string_view text);

// '0' to '9'.
bool IsDecimalDigit(char c);

// a × b and a + b, held at the int64 limits instead of overflowing.
int64_t SaturatingMultiply(int64_t a, int64_t b);
int64_t SaturatingAdd(int64_t a, int64_t b);

// x truncated toward zero into int64; saturates, NaN gives 0.
int64_t SaturatingToInt64(double x);

// value with exactly precision decimals ("%.*f" with a point).
std::string FormatFixed(double value, int precision);

// Reads a typed number: a digit or a sign first, then only digits and points,
// at least one digit. The number is read up to the second point ("1.2.3" is
// 1.2). A magnitude beyond double range reads as the largest double, one
// below it as 0. Returns false, leaving number untouched, for anything else.
bool ParseTypedNumber(std::string_view text, double& number);
