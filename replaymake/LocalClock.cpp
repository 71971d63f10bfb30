#include "LocalClock.h"

#include <chrono>
#include <ctime>

namespace replaymake {
namespace {

bool ZoneOffset(int64_t time, long& offset)
{
    std::time_t t = time_t(time);
    std::tm local{};
    if (!localtime_r(&t, &local))
        return false;
    offset = local.tm_gmtoff;
    return true;
}

} // namespace

LocalClock::Fields LocalClock::Convert(uint32_t time)
{
    if (time < windowStart_ || time >= windowEnd_) {
        long last;
        if (!ZoneOffset(time, offset_))
            return Fields{};
        // The window spans an hour when the offset holds at both ends, else just this second.
        windowStart_ = time;
        windowEnd_ = ZoneOffset(time + HOUR - 1, last) && last == offset_ ? time + HOUR : time + 1;
    }
    using namespace std::chrono;
    const sys_seconds local{seconds{int64_t(time) + offset_}};
    const auto day = floor<days>(local);
    const year_month_day date{day};
    const hh_mm_ss clock{local - day};
    return Fields{int(clock.hours().count()),          int(clock.minutes().count()),
                  int(clock.seconds().count()),        int(unsigned(date.day())),
                  int(unsigned(date.month())),         int(date.year()) % 100};
}

} // namespace replaymake
