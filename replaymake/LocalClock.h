// Local time of many nearby instants without a time zone lookup for each: the zone's offset
// is looked up once per hour of times, since a zone never changes its offset twice in an hour.
#pragma once

#include <array>
#include <cstdint>

namespace replaymake {

class LocalClock {
public:
    // Hour, minute, second, day, month (1..12), year modulo 100; all 0 when the time cannot
    // be converted.
    using Fields = std::array<int, 6>;
    Fields Convert(uint32_t time);

private:
    static constexpr int64_t HOUR = 3600;
    int64_t windowStart_ = 0;
    int64_t windowEnd_ = 0; // empty until the first conversion
    long offset_ = 0;       // seconds east of UTC inside the window
};

} // namespace replaymake
