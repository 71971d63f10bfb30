// The text lines the replay module plays back: $GPGLL sentences, sounder reading lines, and the
// lines of the time index listings. Each formatter writes into the caller's buffer and returns
// the number of characters written (no terminating NUL), so a run of millions of points never
// goes through printf.
#pragma once

#include "LocalClock.h"

#include "records/TrackRecords.h"

#include <cstddef>
#include <cstdint>

namespace replaymake {

// Longest line any formatter below can produce, terminator included.
constexpr std::size_t LINE_CAPACITY = 64;

// A coordinate in 1e-7 degree as whole degrees and minutes of its magnitude, and its sign.
struct DegreesMinutes {
    uint32_t degrees;
    double minutes;
    bool negative;
};
DegreesMinutes DegreesMinutesOf(int32_t value);

// Reading letter of a transducer (-3..+3): "DEFGHABC" by beam slot.
char ReadingLetter(int transducer);

// "$GPGLL,%02ld%07.4lf,%c,%03ld%07.4lf,%c\r\n" for the point's position.
std::size_t FormatNavLine(char* out, int32_t lat, int32_t lon);

// Raw values of a reading line, limited to what the unit's four-digit fields can carry.
struct SounderRaw {
    unsigned count; // two-way travel time in unit clock ticks, 0..9999
    unsigned e1;    // 0..07777
    unsigned e2;    // 0..07777
};
SounderRaw SounderRawOf(const TrackPoint& point);

// "%c%04uF%04oS%04o\r\n".
std::size_t FormatSounderLine(char* out, char letter, const SounderRaw& raw);

// "%02d:%02d:%02d %02d/%02d/%02d,%05ld,%05ld\n" in local time; all six date fields 0 when the
// time cannot be converted.
std::size_t FormatIndexLine(char* out, LocalClock& clock, uint32_t time, uint32_t handle, uint32_t offset);

} // namespace replaymake
