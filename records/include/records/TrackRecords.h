// Records that cross file and module boundaries. Disk forms are packed little-endian; the
// in-memory forms widen 16-bit fields to 32 bits and are converted only when read or written.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

static_assert(std::endian::native == std::endian::little, "the record layouts are little-endian");

// Positions are 1e-7 degree, north and east positive.
constexpr int32_t NO_POSITION_LAT = -910000000;
constexpr int32_t NO_POSITION_LONG = -1810000000;

constexpr int TRACK_BLOCK_POINTS = 2909;   // 63,998 bytes: one block fits a 64,000-byte buffer
constexpr int TRACK_BLOCK_BYTES = 64000;
constexpr int BEAM_SLOTS = 8;

constexpr int COLOUR_ERASED = -1;
constexpr int COLOUR_UNCLASSIFIED = 30;
constexpr int COLOUR_NO_CLASSIFICATION = 47;

// Slot 4 belongs to no transducer of the unit; the track store calls it transducer -4.
constexpr int BeamSlot(int transducer) { return transducer & 7; }
constexpr int SlotTransducer(int slot) { return slot < 4 ? slot : slot - 8; }

#pragma pack(push, 1)

// `lon` is the point's `long` field, renamed because `long` is a C++ keyword.
struct TrackPoint {
    float depth;
    float e1;
    float e2;
    int32_t lat;
    int32_t lon;
    int16_t colour;
};

// The first 22 bytes are a TrackPoint exactly as the point files store it.
struct SwathReading {
    float depth;
    float e1;
    float e2;
    int32_t lat;
    int32_t lon;
    int16_t colour;
    float heading;
    float pitch;
    float roll;
    int32_t transducer;
    int32_t time;
};

struct TrackInfoDisk {
    uint32_t handle;
    int32_t leftlon;
    int32_t toplat;
    int32_t rightlon;
    int32_t bottomlat;
    uint32_t points;
    int16_t spare1;
    int16_t spare2;
    int16_t spare3;
    int16_t spare4;
    int16_t boxsignature;
};

// Five i16 counts in object-kind order.
struct ObjectCounts {
    int16_t symbols;
    int16_t polygons;
    int16_t tracks;
    int16_t texts;
    int16_t routes;
};

struct TrackStatusDisk {
    int16_t low[14];     // fields 0 to 13
    uint32_t pastHandle; // field 14
    int16_t redraw;      // field 15
};

#pragma pack(pop)

static_assert(sizeof(TrackPoint) == 22);
static_assert(sizeof(SwathReading) == 42);
static_assert(offsetof(SwathReading, heading) == 22 && offsetof(SwathReading, time) == 38);
static_assert(sizeof(TrackInfoDisk) == 34);
static_assert(sizeof(ObjectCounts) == 10);
static_assert(sizeof(TrackStatusDisk) == 34);

struct TrackInfo {
    uint32_t handle; // 1 = current track, 0 = deleted
    int32_t leftlon;
    int32_t toplat;
    int32_t rightlon;
    int32_t bottomlat;
    uint32_t points;
    int32_t spare1;
    int32_t spare2;
    int32_t spare3;
    int32_t spare4;
    int32_t boxsignature;
    int32_t slot; // beam slot of a current-track record; not stored
};
static_assert(sizeof(TrackInfo) == 48);

// Field numbers of TrackStatus.
enum TrackStatusField {
    TS_CURRENT_VISIBLE = 0,
    TS_SAVING = 1,
    TS_CURRENT_BY_CLASS = 2,
    TS_CURRENT_JOIN = 3,
    TS_CURRENT_COLOUR = 4,
    TS_CURRENT_PEN_WIDTH = 5,
    TS_SAVE_RATE = 6,
    TS_PAST_VISIBLE = 7,
    TS_PAST_BY_CLASS = 8,
    TS_PAST_JOIN = 9,
    TS_PAST_COLOUR = 10,
    TS_PAST_PEN_WIDTH = 11,
    TS_OUTLINING = 12,
    TS_SHOW_ALL_TRACKS = 13,
    TS_PAST_HANDLE = 14,
    TS_REDRAW_PENDING = 15,
    TS_FIELDS = 16
};

struct TrackStatus {
    int32_t field[TS_FIELDS];
};
static_assert(sizeof(TrackStatus) == 64);

// Block transfer of stored points; offset is a byte offset advanced by each transfer.
struct TrackBlock {
    TrackPoint* buffer;
    int32_t count;
    int32_t offset;
};

// Append to the current track of one beam slot; offset returns the point file's new size.
struct CurrentTrackBlock {
    TrackPoint* buffer;
    uint32_t count;
    int32_t offset;
    uint32_t slot;
};

struct TimeBlock {
    uint32_t* times;
    uint32_t count;
    uint32_t slot;
};

// Ready for minimum and maximum updates.
inline void SetEmptyRect(TrackInfo& info)
{
    info.leftlon = 1800000000;
    info.toplat = -900000000;
    info.rightlon = -1800000000;
    info.bottomlat = 900000000;
}

// Grows a track's rectangle (TrackInfo or its disk record) to take in a position.
template <typename Rect>
void ExtendRect(Rect& rect, int32_t lon, int32_t lat)
{
    rect.leftlon = std::min(rect.leftlon, lon);
    rect.rightlon = std::max(rect.rightlon, lon);
    rect.bottomlat = std::min(rect.bottomlat, lat);
    rect.toplat = std::max(rect.toplat, lat);
}

inline TrackInfo TrackInfoFromDisk(const TrackInfoDisk& d, int32_t slot = 0)
{
    return TrackInfo{d.handle, d.leftlon, d.toplat, d.rightlon, d.bottomlat, d.points,
                     d.spare1, d.spare2, d.spare3, d.spare4, d.boxsignature, slot};
}

inline TrackInfoDisk TrackInfoToDisk(const TrackInfo& m)
{
    return TrackInfoDisk{m.handle, m.leftlon, m.toplat, m.rightlon, m.bottomlat, m.points,
                         static_cast<int16_t>(m.spare1), static_cast<int16_t>(m.spare2),
                         static_cast<int16_t>(m.spare3), static_cast<int16_t>(m.spare4),
                         static_cast<int16_t>(m.boxsignature)};
}

inline TrackStatus TrackStatusFromDisk(const TrackStatusDisk& d)
{
    TrackStatus m{};
    for (int i = 0; i < 14; ++i)
        m.field[i] = d.low[i];
    m.field[TS_PAST_HANDLE] = static_cast<int32_t>(d.pastHandle);
    m.field[TS_REDRAW_PENDING] = d.redraw;
    return m;
}

inline TrackStatusDisk TrackStatusToDisk(const TrackStatus& m)
{
    TrackStatusDisk d{};
    for (int i = 0; i < 14; ++i)
        d.low[i] = static_cast<int16_t>(m.field[i]);
    d.pastHandle = static_cast<uint32_t>(m.field[TS_PAST_HANDLE]);
    d.redraw = static_cast<int16_t>(m.field[TS_REDRAW_PENDING]);
    return d;
}

// A reading before any position fix.
inline SwathReading UnpositionedReading()
{
    SwathReading r{};
    r.lat = NO_POSITION_LAT;
    r.lon = NO_POSITION_LONG;
    return r;
}

// The stored part of a reading.
inline TrackPoint TrackPointOf(const SwathReading& r)
{
    TrackPoint p;
    std::memcpy(&p, &r, sizeof p);
    return p;
}
