#pragma once
// Number, date and text formatting shared by the writer. Numbers never depend on the locale.
#include <cstdint>
#include <string>
#include <string_view>

#include "pdf/PdfServices.h"

// Decimal integer text.
std::string FormatInt(std::int64_t value);

// General number format with at most 15 significant digits: no exponent for ordinary
// magnitudes, no trailing zeros, no decimal point for whole numbers, '.' as separator.
std::string FormatReal(double value);

// Number text for content-stream operators: rounded to two decimals; a half rounds up for
// positive values and toward zero for negative values.
std::string FormatCoord(float value);

// "D:YYYYMMDDHHMMSS", local time, no time zone.
std::string PdfDateString(const TPdfDateTime& moment);
