#include "platform/LocalTime.h"

namespace quillora::platform {

std::tm LocalTime(std::time_t when)
{
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &when);
#else
    localtime_r(&when, &local);
#endif
    return local;
}

std::tm LocalTimeNow() { return LocalTime(std::time(nullptr)); }

} // namespace quillora::platform
