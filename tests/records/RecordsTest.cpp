// The track records and their disk forms: fields widened and truncated back, the track status
// round trip, beam slots and transducers, and a reading's first fields as a stored point.
#include "records/TrackRecords.h"

#include <gtest/gtest.h>

TEST(Records, TrackInfoDiskFieldsWidenWithSignAndTruncateBack)
{
    TrackInfoDisk disk{7, -1, 2, 3, -4, 99, int16_t(-2), 5, int16_t(-32768), 32767, int16_t(-100)};
    TrackInfo m = TrackInfoFromDisk(disk, 5);
    EXPECT_EQ(m.handle, 7u);
    EXPECT_EQ(m.leftlon, -1);
    EXPECT_EQ(m.spare1, -2);
    EXPECT_EQ(m.spare3, -32768);
    EXPECT_EQ(m.boxsignature, -100);
    EXPECT_EQ(m.slot, 5);

    // The box signature keeps only its low 16 bits on disk.
    m.boxsignature = 0x12345;
    m.spare2 = 70000;
    TrackInfoDisk back = TrackInfoToDisk(m);
    EXPECT_EQ(back.boxsignature, int16_t(0x2345));
    EXPECT_EQ(back.spare2, int16_t(70000 & 0xffff));
    EXPECT_EQ(back.points, 99u);
}

TEST(Records, TrackStatusRoundTripsThroughItsDiskForm)
{
    TrackStatus m{};
    for (int i = 0; i < TS_FIELDS; ++i)
        m.field[i] = i - 3;
    m.field[TS_PAST_HANDLE] = 123456;
    TrackStatusDisk d = TrackStatusToDisk(m);
    unsigned char bytes[34];
    std::memcpy(bytes, &d, sizeof bytes);
    EXPECT_EQ(bytes[28] | bytes[29] << 8 | bytes[30] << 16 | bytes[31] << 24, 123456);
    EXPECT_EQ(int16_t(bytes[0] | bytes[1] << 8), -3);
    TrackStatus back = TrackStatusFromDisk(d);
    for (int i = 0; i < TS_FIELDS; ++i)
        EXPECT_EQ(back.field[i], m.field[i]) << "field " << i;
}

TEST(Records, BeamSlotsMapTransducersBothWays)
{
    const int transducers[] = {0, 1, 2, 3, -4, -3, -2, -1};
    for (int slot = 0; slot < BEAM_SLOTS; ++slot) {
        EXPECT_EQ(BeamSlot(transducers[slot]), slot);
        EXPECT_EQ(SlotTransducer(slot), transducers[slot]);
    }
}

TEST(Records, ReadingStartsWithTheStoredPoint)
{
    SwathReading r{10.5f, 1.0f, 0.5f, 577000000, 118500000, 12, 90.f, 0.f, 0.f, -2, 1700000000};
    TrackPoint p = TrackPointOf(r);
    EXPECT_EQ(p.depth, 10.5f);
    EXPECT_EQ(p.lat, 577000000);
    EXPECT_EQ(p.lon, 118500000);
    EXPECT_EQ(p.colour, 12);
    EXPECT_EQ(0, std::memcmp(&p, &r, sizeof p));
}
