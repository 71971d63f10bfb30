// libFuzzer target: arbitrary bytes through the sounder framer and decoder, the NMEA framer
// and parser, and the compass sentence buffer. Whatever arrives, nothing crashes or hangs, and
// every reading or fix that comes out holds values a real one can hold.
#include "acquisition/Navigation.h"
#include "acquisition/SounderLink.h"
#include "recording/VesselState.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

// The main program's recording control; the speed window is off in this run.
extern "C" void AutoSaveIndicate(int) {}

namespace {

// An invariant broken: the failing line is printed and the run ends as a crash.
void failed(int line)
{
    std::fprintf(stderr, "invariant broken at line %d\n", line);
    std::abort();
}
#define check(condition) ((condition) ? void() : failed(__LINE__))

// Feeds `bytes` to a framer's receive buffer in reads of the sizes the input's first byte picks.
template <typename Framer, typename Frame>
void feed(Framer& f, const uint8_t* data, size_t size, size_t chunk, int capacity, Frame frame)
{
    for (size_t at = 0; at < size; at += chunk) {
        size_t n = std::min({chunk, size - at, size_t(capacity)});
        std::memcpy(f.receive, data + at, n);
        f.readPos = 0;
        f.unread = int(n);
        // Every call consumes a byte or ends a line, so this bound is never what stops it.
        for (int calls = 0; f.unread > 0; ++calls) {
            check(calls <= 2 * int(n) + 2);
            frame();
        }
    }
}

void sounder(const uint8_t* data, size_t size, size_t chunk)
{
    SounderFramer& f = sounderFramer;
    ResetSounderFramer(f);
    feed(f, data, size, chunk, SOUNDER_RECEIVE_SIZE, [&] {
        FrameSounderBytes(f);
        check(f.fill >= 0 && f.fill < SOUNDER_LINE_SIZE);
        SwathReading r{};
        r.lat = 123;
        if (!TakeSounderReading(&r))
            return;
        check(r.transducer >= -3 && r.transducer <= 3);
        check(std::isfinite(r.depth) && r.depth >= 0.0f && r.depth < 1000.0f);
        check(r.e1 >= 0.0f && r.e1 < 2.03f && r.e2 >= 0.0f && r.e2 < 2.03f);
        check(r.lat == 123);
    });
}

void navigation(const uint8_t* data, size_t size, size_t chunk)
{
    NavFramer& f = navFramer;
    ResetNavFramer(f);
    feed(f, data, size, chunk, NAV_RECEIVE_SIZE, [&] {
        if (FrameNavBytes(f) == NavFrameResult::Fix)
            KeepCourseFromUnread(f);
        check(f.length >= 0 && f.length <= NAV_SENTENCE_SIZE);
        SwathReading r{};
        r.lat = NO_POSITION_LAT;
        r.lon = NO_POSITION_LONG;
        r.heading = NO_ANGLE;
        if (TakeNavSentences(&r)) {
            check(r.lat >= -900000000 && r.lat <= 900000000);
            check(r.lon >= -1800000000 && r.lon <= 1800000000);
        }
        check(r.heading == NO_ANGLE || std::isfinite(r.heading));
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    size_t chunk = 1 + data[0] % 64;
    sounder(data + 1, size - 1, chunk);
    navigation(data + 1, size - 1, chunk);

    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    SwathReading r{};
    DecodeReading(text.c_str(), &r);
    ParseNavSentence(text.c_str(), &r, &rTrueHeading);
    CompassRecord compass{NO_ANGLE, NO_ANGLE, NO_ANGLE};
    FeedCompassBytes(text.data(), int(text.size()), &compass);
    return 0;
}
