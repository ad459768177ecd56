#include "pdf/PdfServices.h"

#include "platform/LocalTime.h"

#include <chrono>
#include <ctime>

TPdfDateTime TPdfSystemClock::Now() const
{
    const std::tm local = quillora::platform::LocalTimeNow();
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

std::shared_ptr<const TPdfClock> DefaultPdfClock()
{
    static const auto clock = std::make_shared<const TPdfSystemClock>();
    return clock;
}

TPdfClockSeededRandom::TPdfClockSeededRandom()
    : engine_(
          static_cast<std::mt19937::result_type>(std::chrono::system_clock::now().time_since_epoch().count()))
{
}

int TPdfClockSeededRandom::Next(int bound)
{
    return std::uniform_int_distribution<int>(0, bound - 1)(engine_);
}

int TPdfSequenceRandom::Next(int bound)
{
    if (values_.empty())
        return 0;
    const int value = values_[next_];
    next_ = (next_ + 1) % values_.size();
    const int reduced = value % bound;
    return reduced < 0 ? reduced + bound : reduced;
}
