#pragma once
// A local calendar date and time of day, as the chart file name and the PDF dates use it.
#include <compare>

namespace quillora {

struct LocalDateTime {
    int year = 0;
    int month = 1; // 1..12
    int day = 1;   // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    auto operator<=>(const LocalDateTime&) const = default;
};

// The local time now (whole seconds).
LocalDateTime CurrentLocalTime();

} // namespace quillora
