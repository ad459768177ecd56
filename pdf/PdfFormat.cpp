#include "pdf/PdfFormat.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

std::string FormatInt(std::int64_t value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string FormatReal(double value)
{
    if (value == 0 || !std::isfinite(value))
        return "0";
    // At most 15 significant digits, trailing zeros dropped; then any exponent is written out,
    // since PDF numbers have none ("1e-05" -> "0.00001", "1e+15" -> "1000000000000000").
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    const std::string general(buffer, result.ptr);
    const std::size_t e = general.find('e');
    if (e == std::string::npos)
        return general;
    const bool negative = general.front() == '-';
    std::string digits = general.substr(negative ? 1 : 0, e - (negative ? 1 : 0));
    std::erase(digits, '.');
    // The decimal point stands after the first digit, moved by the exponent.
    const long point = 1 + std::strtol(general.c_str() + e + 1, nullptr, 10);
    std::string fixed = negative ? "-" : "";
    if (point <= 0)
        fixed += "0." + std::string(static_cast<std::size_t>(-point), '0') + digits;
    else if (static_cast<std::size_t>(point) >= digits.size())
        fixed += digits + std::string(static_cast<std::size_t>(point) - digits.size(), '0');
    else
        fixed += digits.substr(0, static_cast<std::size_t>(point)) + "." +
                 digits.substr(static_cast<std::size_t>(point));
    return fixed;
}

std::string FormatCoord(float value)
{
    // Halves round away from zero for positive values and toward zero for negative ones
    // (12.375 -> 12.38, -1.125 -> -1.12); whole numbers stay whole (-300 -> -300).
    const long double hundredths = static_cast<long double>(value) * 100.0L;
    const long double rounded = std::floor(hundredths + 0.5L);
    return FormatReal(static_cast<double>(rounded / 100.0L));
}

std::string PdfDateString(const TPdfDateTime& moment)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "D:%04d%02d%02d%02d%02d%02d", moment.Year, moment.Month, moment.Day,
                  moment.Hour, moment.Minute, moment.Second);
    return buffer;
}
