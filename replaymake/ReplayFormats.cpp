#include "ReplayFormats.h"

#include "records/GllCoordinates.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace replaymake {
namespace {

// Writes `value` in `Base` with at least `width` digits, zero-padded on the left.
template <unsigned Base = 10>
inline char* PutPadded(char* out, uint32_t value, int width)
{
    int n = 1;
    for (uint32_t rest = value / Base; rest; rest /= Base)
        ++n;
    n = std::max(n, width);
    for (int i = n - 1; i >= 0; --i, value /= Base)
        out[i] = char('0' + value % Base);
    return out + n;
}

// Degrees, then minutes as "mm.mmmm", then the hemisphere letter.
char* PutAngle(char* out, int32_t value, int degreeWidth, char positive, char negative)
{
    const GllCoordinate angle = GllCoordinateOf(value);
    out = PutPadded(out, angle.degrees, degreeWidth);
    out = PutPadded(out, angle.minuteTenThousandths / 10000, 2);
    *out++ = '.';
    out = PutPadded(out, angle.minuteTenThousandths % 10000, 4);
    *out++ = ',';
    *out++ = angle.negative ? negative : positive;
    return out;
}

// Truncates like the unit's counters do, but lets a product that should land on a whole
// number and falls a hair short of it (float storage, rounded constants) keep that number,
// so a value decoded from a reading line encodes back to the same raw value.
unsigned TruncatedRaw(double exact, unsigned limit)
{
    if (!(exact > 0.0))
        return 0; // negative or not a number
    double withTolerance = exact + 1e-3;
    return withTolerance >= double(limit) ? limit : unsigned(withTolerance);
}

// Unit clock ticks per metre of depth: two-way travel at 1480 m/s, clock of 7680 Hz.
constexpr double TICKS_PER_METRE = 2.0 * 7680.0 / 1480.0;
constexpr unsigned COUNT_LIMIT = 9999;
constexpr unsigned ECHO_LIMIT = 07777;

} // namespace

DegreesMinutes DegreesMinutesOf(int32_t value)
{
    int64_t magnitude = std::llabs(int64_t(value));
    double degrees = double(magnitude) * 1e-7;
    return DegreesMinutes{uint32_t(magnitude / 10000000), (degrees - std::floor(degrees)) * 60.0, value < 0};
}

char ReadingLetter(int transducer)
{
    return "DEFGHABC"[BeamSlot(transducer)];
}

std::size_t FormatNavLine(char* out, int32_t lat, int32_t lon)
{
    char* p = out;
    std::memcpy(p, "$GPGLL,", 7);
    p = PutAngle(p + 7, lat, 2, 'N', 'S');
    *p++ = ',';
    p = PutAngle(p, lon, 3, 'E', 'W');
    *p++ = '\r';
    *p++ = '\n';
    return std::size_t(p - out);
}

SounderRaw SounderRawOf(const TrackPoint& point)
{
    double e1 = point.e1, e2 = point.e2;
    return SounderRaw{TruncatedRaw(point.depth * TICKS_PER_METRE, COUNT_LIMIT),
                      TruncatedRaw(e1 * e1 * 1000.0, ECHO_LIMIT),
                      TruncatedRaw(e2 * e2 * 1000.0, ECHO_LIMIT)};
}

std::size_t FormatSounderLine(char* out, char letter, const SounderRaw& raw)
{
    char* p = out;
    *p++ = letter;
    p = PutPadded(p, raw.count, 4);
    *p++ = 'F';
    p = PutPadded<8>(p, raw.e1, 4);
    *p++ = 'S';
    p = PutPadded<8>(p, raw.e2, 4);
    *p++ = '\r';
    *p++ = '\n';
    return std::size_t(p - out);
}

std::size_t FormatIndexLine(char* out, LocalClock& clock, uint32_t time, uint32_t handle, uint32_t offset)
{
    const LocalClock::Fields fields = clock.Convert(time);
    static constexpr char separators[6] = {':', ':', ' ', '/', '/', ','};
    char* p = out;
    for (int i = 0; i < 6; ++i) {
        p = PutPadded(p, uint32_t(fields[i]), 2);
        *p++ = separators[i];
    }
    p = PutPadded(p, handle, 5);
    *p++ = ',';
    p = PutPadded(p, offset, 5);
    *p++ = '\n';
    return std::size_t(p - out);
}

} // namespace replaymake
