// The closest-point search: ties between tracks, the 180 degree meridian, views without tracks,
// unreadable tracks, and points that change on disk between clicks.
#include "EnquiryFixture.h"

#include "database/TrackStore.h"
#include "euro32/euro32.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/winuser.h"
#include "records/TrackStoreFiles.h"

#include <filesystem>

namespace {

std::vector<std::string> boxTexts()
{
    std::vector<std::string> texts;
    for (const auto& box : win::scripted::boxes())
        texts.push_back(box.caption + ": " + box.text);
    return texts;
}

} // namespace

TEST_F(EnquiryTest, OnEqualDistancesTheEarlierTrackWinsUntilALaterOneIsCloser)
{
    int32_t lon = 0, lat = 0;
    ASSERT_GT(EC_PixelToGeos(500, 400, &lon, &lat, engineWindow), 0);
    TrackPoint west = pointAt(100, 100), east = west, far = pointAt(900, 700);
    west.lon = lon - 20000;
    west.lat = lat;
    east.lon = lon + 20000;
    east.lat = lat;
    const uint32_t first = storeTrack({far, west});
    const uint32_t second = storeTrack({east, far});
    start();

    click(500, 400);
    EXPECT_EQ(pSedrixInfo->handle, first);
    EXPECT_EQ(pSedrixInfo->index, 1);
    EXPECT_EQ(caption(), "Track " + std::to_string(first) + ", Xdcr 0, point 1");
    // Within one track the earlier of two equally close points.
    TrackPoint north = west, south = west;
    north.lon = south.lon = lon;
    north.lat = lat + 5000;
    south.lat = lat - 5000;
    const uint32_t third = storeTrack({far, north, south});
    click(500, 400);
    EXPECT_EQ(pSedrixInfo->handle, third);
    EXPECT_EQ(pSedrixInfo->index, 1);
    EXPECT_NE(second, third);
}

TEST_F(EnquiryTest, TheEarlierTrackWinsEvenWhereALaterOneSurroundsTheClick)
{
    int32_t lon = 0, lat = 0;
    ASSERT_GT(EC_PixelToGeos(500, 400, &lon, &lat, engineWindow), 0);
    TrackPoint west = pointAt(100, 100), east = west;
    west.lon = lon - 20000;
    east.lon = lon + 20000;
    west.lat = east.lat = lat;
    // The later track's points lie all round the click, the earlier one's to one side of it.
    const uint32_t earlier = storeTrack({pointAt(100, 400), west});
    storeTrack({pointAt(300, 100), pointAt(700, 700), east, pointAt(100, 600)});
    start();

    click(500, 400);
    EXPECT_EQ(pSedrixInfo->handle, earlier);
    EXPECT_EQ(pSedrixInfo->index, 1);
}

TEST_F(EnquiryTest, APointAcrossTheMeridianIsFoundAsTheClosest)
{
    // A view from 179.5 E to 179.5 W.
    showArea(1795000000, 10000000, -1795000000, -10000000);
    TrackPoint eastOfMeridian = pointAt(10, 10), westOfMeridian = pointAt(10, 10);
    westOfMeridian.lon = -1796000000; // 0.3 degree from the click
    westOfMeridian.lat = 0;
    eastOfMeridian.lon = 1799000000; // 0.2 degree from the click, across the meridian
    eastOfMeridian.lat = 0;
    storeTrack({westOfMeridian});
    const uint32_t across = storeTrack({eastOfMeridian});
    int x = 0, y = 0;
    ASSERT_GT(EC_GeosToPixel(-1799000000, 0, &x, &y, engineWindow), 0);
    start();

    click(x, y);
    ASSERT_TRUE(win::scripted::boxes().empty()) << ::testing::PrintToString(boxTexts());
    EXPECT_EQ(pSedrixInfo->handle, across);
    EXPECT_EQ(field(IDC_INFO_LONG), "179 54.000' E");
    int px = 0, py = 0;
    ASSERT_GT(EC_GeosToPixel(1799000000, 0, &px, &py, engineWindow), 0);
    EXPECT_EQ(pSedrixInfo->x, px);
    EXPECT_EQ(pSedrixInfo->y, py);
}

TEST_F(EnquiryTest, AViewWithoutTracksFindsNothingAndSaysSo)
{
    storeTrack({pointAt(100, 100)});
    showArea(100000000, 100000000, 101000000, 99000000); // far from the track
    start();

    click(300, 200);
    const auto boxes = win::scripted::boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "No tracks intersect with screen");
    EXPECT_EQ(boxes[0].caption, "Get closest point");
    EXPECT_EQ(boxes[0].type & MB_ICONMASK, MB_ICONEXCLAMATION);
    EXPECT_EQ(win::scripted::beeps(), std::vector<UINT>{MB_ICONEXCLAMATION});
    // The dialog shows the empty record as a deleted point.
    EXPECT_TRUE(IsWindowVisible(dialog()));
    EXPECT_EQ(caption(), "Track 0, Xdcr 0, DELETED POINT 0");
    EXPECT_EQ(pSedrixInfo->colour, -1);
}

TEST_F(EnquiryTest, ATrackWhosePointsCannotBeReadIsNoCandidate)
{
    const uint32_t handle = storeTrack({pointAt(300, 300)});
    std::filesystem::remove(*win::HostPath("c:\\varnel\\database\\ovl00001\\" + StoredTrackFileName(handle, "dat")));
    start();

    click(300, 300);
    const auto boxes = win::scripted::boxes();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().text, "No tracks intersect with screen");
    EXPECT_EQ(boxes.back().caption, "Get closest point()");
    EXPECT_EQ(boxes.back().type & MB_ICONMASK, MB_ICONSTOP);
    EXPECT_EQ(pSedrixInfo->handle, 0u);
}

TEST_F(EnquiryTest, AnEmptiedPointFileHoldsNoCandidate)
{
    const uint32_t emptied = storeTrack({pointAt(600, 500)});
    std::filesystem::resize_file(*win::HostPath("c:\\varnel\\database\\ovl00001\\" + StoredTrackFileName(emptied, "dat")), 0);
    start();

    click(600, 500);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Get closest point(): No tracks intersect with screen"});
    EXPECT_EQ(pSedrixInfo->handle, 0u);
}

TEST_F(EnquiryTest, PointsChangedOnDiskBetweenClicksAreSeen)
{
    TrackInfo track{};
    track.handle = storeTrack({pointAt(200, 200), pointAt(700, 500)});
    start();
    click(690, 500);
    ASSERT_EQ(pSedrixInfo->index, 1);
    EXPECT_EQ(caption(), "Track 2, Xdcr 0, point 1");

    // Erased in place: the same positions, another colour.
    std::vector<TrackPoint> buffer(TRACK_BLOCK_POINTS);
    TrackBlock block{buffer.data(), 2, 0};
    ASSERT_EQ(DBReadTrackDataBlock(&track, &block, "database"), 1);
    buffer[1].colour = COLOUR_ERASED;
    block = TrackBlock{buffer.data(), 2, 0};
    ASSERT_EQ(DBWriteTrackDataBlock(&track, &block, "database"), 1);
    click(690, 500);
    EXPECT_EQ(caption(), "Track 2, Xdcr 0, DELETED POINT 1");
    EXPECT_EQ(pSedrixInfo->colour, -1);

    // Moved: the first point now lies beside the next click. The file's time is set later than
    // the first read, as an edit some time after it leaves it.
    buffer[0] = pointAt(400, 600);
    block = TrackBlock{buffer.data(), 1, 0};
    ASSERT_EQ(DBWriteTrackDataBlock(&track, &block, "database"), 1);
    const auto file = *win::HostPath("c:\\varnel\\database\\ovl00001\\trk00002.dat");
    std::filesystem::last_write_time(file, std::filesystem::last_write_time(file) + std::chrono::seconds(2));
    click(405, 600);
    EXPECT_EQ(pSedrixInfo->index, 0);
    EXPECT_EQ(pSedrixInfo->x, 400);
}
