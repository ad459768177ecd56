#include "pdf/PdfFormat.h"

#include <charconv>
#include <cmath>
#include <cstdio>

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
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return std::string(buffer, result.ptr);
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
    std::snprintf(buffer, sizeof buffer, "D:%04d%02d%02d%02d%02d%02d", moment.Year, moment.Month,
                  moment.Day, moment.Hour, moment.Minute, moment.Second);
    return buffer;
}

