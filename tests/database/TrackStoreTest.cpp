// The track store's files: points read and written in blocks, the beam table, bounding rectangles
// and file times, against a fresh database in a temporary data root.
#include "DatabaseFixture.h"

#include <cstring>

namespace fs = std::filesystem;
using Boxes = std::vector<std::string>;

namespace {

using TrackStore = DatabaseTest;

TEST_F(TrackStore, NewDatabaseHasItsTrackFiles)
{
    EXPECT_EQ(fs::file_size(host("c:\\varnel\\database\\overlays.inf")), 8u + 3 * 61);
    EXPECT_EQ(fs::file_size(trackFile("tracks.inf")), 42u);
    EXPECT_EQ(fs::file_size(trackFile("trkcurr.inf")), 34u);
    EXPECT_TRUE(fs::exists(trackFile("Swath.dat")));
    auto counts = readRecords<ObjectCounts>(trackFile("objects.inf"));
    ASSERT_EQ(counts.size(), 2u);
    EXPECT_EQ(+counts[0].tracks, 1);
    EXPECT_EQ(+counts[1].tracks, 1);
    auto status = readRecords<TrackStatusDisk>(trackFile("trkstat.inf"));
    ASSERT_EQ(status.size(), 1u);
    const int16_t defaults[14] = {1, 0, 1, 1, 4, 3, 0, 0, 1, 1, 4, 3, 0, 0};
    EXPECT_EQ(std::memcmp(status[0].low, defaults, sizeof defaults), 0);
    int user = -1;
    EXPECT_EQ(GetNoOfOverlays(&user), 1);
    EXPECT_EQ(user, 1);
}

TEST_F(TrackStore, ReadsInBlocksOfAtMost2909Points)
{
    struct Case {
        int points;
        std::vector<int> blocks;
    };
    for (const Case& c : {Case{2909, {2909, 0}}, Case{2910, {2909, 1}}, Case{0, {0}}, Case{5, {5}}}) {
        writePoints(trackFile("trk00002.dat"), c.points);
        std::vector<TrackPoint> buffer(TRACK_BLOCK_POINTS);
        TrackInfo track{};
        track.handle = 2;
        TrackBlock block{buffer.data(), 0, 0};
        std::vector<int> blocks;
        int seen = 0;
        do {
            ASSERT_EQ(DBReadTrackDataBlock(&track, &block, "database"), 1);
            blocks.push_back(block.count);
            for (int i = 0; i < block.count; ++i)
                ASSERT_EQ(+buffer[size_t(i)].depth, float(seen++));
        } while (block.count == TRACK_BLOCK_POINTS);
        EXPECT_EQ(blocks, c.blocks) << c.points << " points";
        EXPECT_EQ(block.offset, c.points * 22);

        block.offset = c.points * 22 + 220;
        EXPECT_EQ(DBReadTrackDataBlock(&track, &block, "database"), 1);
        EXPECT_EQ(block.count, 0);
    }
    // A point file cut short mid-point: the torn point is not part of any block.
    writePoints(trackFile("trk00002.dat"), 5);
    std::ofstream(trackFile("trk00002.dat"), std::ios::binary | std::ios::app).write("torn", 4);
    std::vector<TrackPoint> buffer(TRACK_BLOCK_POINTS);
    TrackInfo track{};
    track.handle = 2;
    TrackBlock block{buffer.data(), 0, 0};
    ASSERT_EQ(DBReadTrackDataBlock(&track, &block, "database"), 1);
    EXPECT_EQ(block.count, 5);
    EXPECT_EQ(block.offset, 110);
    EXPECT_TRUE(win::scripted::boxes().empty());
}

TEST_F(TrackStore, HandleOneReadsTheSlotsCurrentFile)
{
    writePoints(trackFile("t9700001.dat"), 3, 100);
    writePoints(trackFile("trk00002.dat"), 2, 200);
    std::vector<TrackPoint> buffer(TRACK_BLOCK_POINTS);
    TrackInfo current{};
    current.handle = 1;
    current.slot = 5;
    TrackBlock block{buffer.data(), 0, 0};
    ASSERT_EQ(DBReadTrackDataBlock(&current, &block, "database"), 1);
    EXPECT_EQ(block.count, 3);
    EXPECT_EQ(+buffer[0].depth, 100.f);

    TrackInfo stored{};
    stored.handle = 2;
    block = {buffer.data(), 0, 0};
    ASSERT_EQ(DBReadTrackDataBlockAt(&stored, &block, "C:\\VARNEL\\DataBase"), 1);
    EXPECT_EQ(block.count, 2);
    EXPECT_EQ(+buffer[0].depth, 200.f);
}

TEST_F(TrackStore, ReportsMissingFilesAndNullHandles)
{
    std::vector<TrackPoint> buffer(TRACK_BLOCK_POINTS);
    TrackInfo track{};
    TrackBlock block{buffer.data(), 0, 0};
    EXPECT_EQ(DBReadTrackDataBlock(&track, &block, "database"), 0);
    EXPECT_EQ(DBWriteTrackDataBlock(&track, &block, "database"), 0);
    track.handle = 9;
    EXPECT_EQ(DBReadTrackDataBlock(&track, &block, "database"), 0);
    EXPECT_EQ(boxTexts(), (Boxes{"DBReadTrackDataBlock: Object handle is null",
                                 "DBWriteTrackDataBlock: Object handle is null",
                                 "DBReadTrackDataBlock: Failed opening track file "
                                 "C:\\varnel\\database\\ovl00001\\trk00009.dat"}));
    for (const auto& box : win::scripted::boxes())
        EXPECT_EQ(box.type, MB_OK | MB_ICONHAND);
    EXPECT_EQ(win::scripted::beeps().size(), 3u);
}

TEST_F(TrackStore, WritesBlocksInPlaceOnly)
{
    writePoints(trackFile("trk00002.dat"), 10);
    std::vector<TrackPoint> buffer(TRACK_BLOCK_POINTS);
    TrackInfo track{};
    track.handle = 2;
    TrackBlock block{buffer.data(), 0, 22 * 8};
    ASSERT_EQ(DBReadTrackDataBlock(&track, &block, "database"), 1);
    buffer[0].colour = COLOUR_ERASED;
    buffer[1].colour = 12;
    block = {buffer.data(), 2, 22 * 8};
    ASSERT_EQ(DBWriteTrackDataBlock(&track, &block, "database"), 1);
    EXPECT_EQ(block.offset, 220);
    auto points = readRecords<TrackPoint>(trackFile("trk00002.dat"));
    ASSERT_EQ(points.size(), 10u);
    EXPECT_EQ(+points[8].colour, COLOUR_ERASED);
    EXPECT_EQ(+points[9].colour, 12);

    // Past the end the track would grow or gain a gap: refused, the file stays as it was.
    block = {buffer.data(), 3, 22 * 8};
    EXPECT_EQ(DBWriteTrackDataBlock(&track, &block, "database"), 0);
    block = {buffer.data(), 1, 22 * 20};
    EXPECT_EQ(DBWriteTrackDataBlock(&track, &block, "database"), 0);
    EXPECT_EQ(fs::file_size(trackFile("trk00002.dat")), 220u);
    EXPECT_EQ(boxTexts(), (Boxes{"DBWriteTrackDataBlock: Failed writing to track file",
                                 "DBWriteTrackDataBlock: Failed seeking on track file"}));
}

TEST_F(TrackStore, BeamTableGivesTheTransducer)
{
    std::vector<int16_t> table = {0, 0, 7, 3, -4, 4, -3, 12};
    std::ofstream(trackFile("Swath.dat"), std::ios::binary)
        .write(reinterpret_cast<const char*>(table.data()), std::streamsize(table.size() * 2));
    struct Case {
        uint32_t handle;
        int result;
        int transducer;
    };
    for (const Case& c : {Case{2, 0, -1}, Case{3, 0, 3}, Case{4, 1, 99}, Case{5, 1, 99}, Case{6, 0, -3},
                          Case{7, 1, 99}, Case{8, 1, 99}, Case{1, 0, 0}}) {
        int transducer = 99;
        EXPECT_EQ(DBGetTrackBeam(c.handle, &transducer), c.result) << c.handle;
        EXPECT_EQ(transducer, c.transducer) << c.handle;
    }
    fs::remove(trackFile("Swath.dat"));
    EXPECT_EQ(DBGetTrackBeam(2, nullptr), 1);
}

TEST_F(TrackStore, BoundingRectangleLeavesErasedPointsOut)
{
    writePoints(trackFile("t0100001.dat"), 3);
    TrackInfo current = globalcurrenttrackinfos[0];
    ASSERT_EQ(DBSaveCurrentTrack(&current), 1);
    ASSERT_EQ(current.handle, 2u);
    std::vector<TrackPoint> points = {point(1), point(5, COLOUR_ERASED), point(3)};
    std::ofstream(trackFile("trk00002.dat"), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(points.data()), 3 * sizeof(TrackPoint));

    TrackInfo track{};
    track.handle = 2;
    ASSERT_EQ(DBUpdateTrackBoundingRect(&track), 1);
    TrackInfo stored{};
    stored.handle = 2;
    ASSERT_EQ(DBGetObjectInfo(TRACK_OVERLAY, OBJ_TRACK, &stored, "database"), 1);
    EXPECT_EQ(stored.points, 2u);
    EXPECT_EQ(stored.leftlon, point(3).lon);
    EXPECT_EQ(stored.rightlon, point(1).lon);
    EXPECT_EQ(stored.bottomlat, point(1).lat);
    EXPECT_EQ(stored.toplat, point(3).lat);

    points[0].colour = points[2].colour = COLOUR_ERASED;
    std::ofstream(trackFile("trk00002.dat"), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(points.data()), 3 * sizeof(TrackPoint));
    ASSERT_EQ(DBUpdateTrackBoundingRect(&track), 1);
    EXPECT_EQ(track.points, 0u);
    EXPECT_EQ(track.leftlon | track.toplat | track.rightlon | track.bottomlat, 0);
    EXPECT_TRUE(win::scripted::boxes().empty());
}

TEST_F(TrackStore, FileTimesCanBeRestoredAfterARewrite)
{
    writePoints(trackFile("trk00002.dat"), 2);
    TrackInfo track{};
    track.handle = 2;
    FILETIME before[3];
    ASSERT_EQ(DBGetTrackFileTimes(before, &track, "database"), 0);
    FILETIME older[3] = {before[0], {0x12345678, 0x01d00000}, {0x23456789, 0x01d00000}};
    ASSERT_EQ(DBSetTrackFileTimes(older, &track, "database"), 0);
    FILETIME after[3];
    ASSERT_EQ(DBGetTrackFileTimes(after, &track, "database"), 0);
    EXPECT_EQ(after[2].dwHighDateTime, older[2].dwHighDateTime);
    EXPECT_EQ(after[2].dwLowDateTime / 10, older[2].dwLowDateTime / 10);
    track.handle = 7;
    EXPECT_EQ(DBGetTrackFileTimes(after, &track, "database"), int(ERROR_FILE_NOT_FOUND));
}

} // namespace
