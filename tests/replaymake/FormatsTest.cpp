// The replay files' lines: GPS lines whose positions read back as the live module reads them,
// sounder lines that decode to the same raw values, index lines in local time, the time index's
// order, and points fetched by index.
#include "ReplayFormats.h"
#include "TimeIndex.h"
#include "TempDataRoot.h"
#include "TrackStoreWriter.h"

#include "platform/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <tuple>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <string>

using namespace replaymake;

namespace {

std::string NavLine(int32_t lat, int32_t lon)
{
    char line[LINE_CAPACITY];
    return std::string(line, FormatNavLine(line, lat, lon));
}

std::string SounderLine(const TrackPoint& p, int transducer)
{
    char line[LINE_CAPACITY];
    return std::string(line, FormatSounderLine(line, ReadingLetter(transducer), SounderRawOf(p)));
}

// What the live module makes of a $GPGLL coordinate: degrees plus minutes, truncated.
int32_t DecodeCoordinate(int degrees, double minutes, char hemisphere)
{
    auto value = int32_t((degrees + minutes / 60.0) * 10000000.0);
    return hemisphere == 'S' || hemisphere == 'W' ? -value : value;
}

} // namespace

TEST(NavLine, WritesDegreesMinutesAndHemispheres)
{
    struct Case {
        int32_t lat, lon;
        const char* line;
    } cases[] = {
        {-515083333, 2041666, "$GPGLL,5130.5000,S,00012.2500,E\r\n"},
        {515083333, -2041666, "$GPGLL,5130.5000,N,00012.2500,W\r\n"},
        {0, 0, "$GPGLL,0000.0000,N,00000.0000,E\r\n"},
        {-5000000, -1795000000, "$GPGLL,0030.0000,S,17930.0000,W\r\n"},
        // Minutes that round up to 60 carry into the degrees.
        {899999999, 1799999999, "$GPGLL,9000.0000,N,18000.0000,E\r\n"},
        {519999995, -9999, "$GPGLL,5200.0000,N,00000.0600,W\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NavLine(c.lat, c.lon), c.line) << c.lat << "," << c.lon;
}

TEST(NavLine, AnyPositionReadsBackToWithinTheLastDigit)
{
    std::srand(7);
    for (int i = 0; i < 20000; ++i) {
        int32_t lat = int32_t((std::rand() % 1800000001) - 900000000);
        int32_t lon = int32_t(int64_t(std::rand()) * 2 % 3600000001 - 1800000000);
        std::string line = NavLine(lat, lon);
        int latDegrees, lonDegrees;
        double latMinutes, lonMinutes;
        char ns, ew;
        ASSERT_EQ(std::sscanf(line.c_str(), "$GPGLL,%2d%lf,%c,%3d%lf,%c", &latDegrees, &latMinutes, &ns, &lonDegrees,
                              &lonMinutes, &ew),
                  6)
            << line;
        ASSERT_LT(latMinutes, 60.0) << line;
        ASSERT_LT(lonMinutes, 60.0) << line;
        // Half a ten-thousandth of a minute is 8.3 units of 1e-7 degree; decoding truncates.
        EXPECT_NEAR(DecodeCoordinate(latDegrees, latMinutes, ns), lat, 9) << line;
        EXPECT_NEAR(DecodeCoordinate(lonDegrees, lonMinutes, ew), lon, 9) << line;
    }
}

TEST(NavLine, PositionsFromLiveSentencesComeBackUnchanged)
{
    // A fix of the live GPS carries minutes to four decimals; writing it out again must
    // reproduce those minutes.
    for (double minutes : {0.0, 0.0001, 12.25, 30.5, 45.1234, 59.9999}) {
        int32_t lat = DecodeCoordinate(51, minutes, 'S');
        int32_t lon = DecodeCoordinate(3, minutes, 'W');
        char expected[80];
        std::snprintf(expected, sizeof expected, "$GPGLL,51%07.4f,S,003%07.4f,W\r\n", minutes, minutes);
        EXPECT_EQ(NavLine(lat, lon), expected);
    }
}

TEST(SounderLine, EncodesDepthAndEchoes)
{
    struct Case {
        TrackPoint point;
        int transducer;
        const char* line;
    } cases[] = {
        {{10.0f, 1.0f, 0.5f, 0, 0, 0}, -1, "C0103F1750S0372\r\n"},
        {{0.0f, 0.0f, 0.0f, 0, 0, 0}, 0, "D0000F0000S0000\r\n"},
        {{1.0f, 0.1f, 2.0f, 0, 0, 0}, 3, "G0010F0012S7640\r\n"},
        {{5.0f, 0.5f, 0.5f, 0, 0, 0}, -3, "A0051F0372S0372\r\n"},
        // Outside what the unit's four-digit fields carry: limited, so the line stays valid.
        {{-3.0f, -1.0f, 2.5f, 0, 0, 0}, 2, "F0000F1750S7777\r\n"},
        {{2000.0f, std::nanf(""), 9.0f, 0, 0, 0}, 1, "E9999F0000S7777\r\n"},
        {{std::numeric_limits<float>::infinity(), 0.0f, 0.0f, 0, 0, 0}, -2, "B9999F0000S0000\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SounderLine(c.point, c.transducer), c.line) << c.line;
}

TEST(SounderLine, ReadingsDecodedFromTheUnitEncodeToTheSameRawValues)
{
    // The live decoding: depth = count x 1480 / (2 x 7680), echo = sqrt(raw / 1000).
    for (unsigned count = 0; count <= 9999; ++count) {
        TrackPoint p{float(count * 1480.0 / 15360.0), 0, 0, 0, 0, 0};
        ASSERT_EQ(SounderRawOf(p).count, count);
        p.depth = float(count) * 1480.0f / 15360.0f;
        ASSERT_EQ(SounderRawOf(p).count, count);
    }
    for (unsigned raw = 0; raw <= 07777; ++raw) {
        TrackPoint p{0, std::sqrt(float(raw) / 1000.0f), float(std::sqrt(raw / 1000.0)), 0, 0, 0};
        ASSERT_EQ(SounderRawOf(p).e1, raw);
        ASSERT_EQ(SounderRawOf(p).e2, raw);
    }
}

TEST(ReadingLetter, FollowsTheBeamSlot)
{
    EXPECT_EQ(std::string({ReadingLetter(-3), ReadingLetter(-2), ReadingLetter(-1), ReadingLetter(0),
                           ReadingLetter(1), ReadingLetter(2), ReadingLetter(3)}),
              "ABCDEFG");
}

TEST(IndexLine, ShowsLocalTimeHandleAndOffset)
{
    setenv("TZ", "UTC", 1);
    tzset();
    char line[LINE_CAPACITY];
    LocalClock clock;
    EXPECT_EQ(std::string(line, FormatIndexLine(line, clock, 0, 2, 0)), "00:00:00 01/01/70,00002,00000\n");
    EXPECT_EQ(std::string(line, FormatIndexLine(line, clock, 1789000000, 123456, 44)),
              "00:26:40 10/09/26,123456,00044\n");
}

TEST(IndexLine, LocalTimeFollowsTheZoneAcrossItsChanges)
{
    // Summer time from the last Sunday of March 01:00 UTC to the last Sunday of October.
    setenv("TZ", "GMT0BST,M3.5.0/1,M10.5.0", 1);
    tzset();
    struct Span {
        uint32_t from, to, step;
    } spans[] = {
        {1774746000 - 7300, 1774746000 + 7300, 1},    // 2026-03-29 01:00 UTC, forward
        {1792890000 + 7300, 1792890000 - 7300, 7},    // 2026-10-25 01:00 UTC, backward
        {0, 4000000000u, 86399 * 3},                  // 1970 to 2096, across many days
    };
    LocalClock clock;
    for (const auto& span : spans) {
        bool forward = span.to > span.from;
        for (uint64_t t = span.from; forward ? t <= span.to : t >= span.to; t = forward ? t + span.step : t - span.step) {
            std::time_t tt = std::time_t(t);
            std::tm local{};
            localtime_r(&tt, &local);
            LocalClock::Fields expected{local.tm_hour, local.tm_min, local.tm_sec,
                                        local.tm_mday, local.tm_mon + 1, local.tm_year % 100};
            ASSERT_EQ(clock.Convert(uint32_t(t)), expected) << t;
        }
    }
    setenv("TZ", "UTC", 1);
    tzset();
}

TEST(TimeIndex, EqualTimesAreOrderedByHandleThenOffset)
{
    std::vector<TimeIndexEntry> index = {
        {20, 3, 0}, {10, 5, 22}, {10, 2, 44}, {10, 5, 0}, {5, 9, 0}, {10, 2, 22},
    };
    SortTimeIndex(index);
    std::vector<TimeIndexEntry> expected = {
        {5, 9, 0}, {10, 2, 22}, {10, 2, 44}, {10, 5, 0}, {10, 5, 22}, {20, 3, 0},
    };
    ASSERT_EQ(index.size(), expected.size());
    for (std::size_t i = 0; i < index.size(); ++i)
        EXPECT_TRUE(index[i].time == expected[i].time && index[i].handle == expected[i].handle &&
                    index[i].offset == expected[i].offset)
            << i;

    // Any values, with many equal times, come out as an ordinary sort puts them.
    std::mt19937 random(3);
    index.clear();
    for (int i = 0; i < 50000; ++i)
        index.push_back({uint32_t(random() % 5000) * 70001u, uint32_t(random() % 300) * 9973u,
                         uint32_t(random() % 4000) * 22u * 97u});
    auto reference = index;
    std::sort(reference.begin(), reference.end(), [](const TimeIndexEntry& a, const TimeIndexEntry& b) {
        return std::tie(a.time, a.handle, a.offset) < std::tie(b.time, b.handle, b.offset);
    });
    SortTimeIndex(index);
    ASSERT_EQ(std::memcmp(index.data(), reference.data(), index.size() * sizeof index[0]), 0);
}

TEST(IndexedPointReader, TellsAMissingFileFromAMissingPoint)
{
    TempDataRoot root;
    TrackStoreWriter store{root.driveC()};
    store.addTrack(0, {MakePoint(1, 0, 0, 10, 20), MakePoint(2, 0, 0, 30, 40)}, std::nullopt);
    ASSERT_TRUE(win::SetCurrentDirectory("c:\\varnel\\database\\ovl00001"));
    const std::vector<TimeIndexEntry> index = {{1, 2, 22}, {2, 2, 0}, {3, 2, 44}, {4, 3, 0}};
    IndexedPointReader reader(index);
    using Fetched = IndexedPointReader::Fetched;
    TrackPoint point{};
    ASSERT_EQ(reader.Fetch(index[0], point), Fetched::POINT);
    EXPECT_EQ(+point.depth, 2.0f);
    ASSERT_EQ(reader.Fetch(index[1], point), Fetched::POINT);
    EXPECT_EQ(+point.depth, 1.0f);
    EXPECT_EQ(reader.Fetch(index[2], point), Fetched::NO_POINT);
    EXPECT_EQ(reader.Fetch(index[3], point), Fetched::NO_FILE);
}
