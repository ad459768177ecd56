#pragma once
// The calendar time of the local time zone, thread-safe on every platform.
#include <ctime>

namespace quillora::platform {

std::tm LocalTime(std::time_t when);

// LocalTime of the current time.
std::tm LocalTimeNow();

} // namespace quillora::platform
