// Re-colouring points for the loaded box, only when the box they were coloured with differs.
#include "DrawingFixture.h"

#include "platform/files.h"

#include <QPainter>

#include <chrono>
#include <filesystem>

namespace fs = std::filesystem;

class TrackReanalysis : public DrawingTest {
protected:
    // Two blocks: the first starting with a reading without classification, the second with
    // magenta readings wrongly coloured green and one erased point.
    uint32_t storeTwoBlocks()
    {
        std::vector<TrackPoint> points;
        for (int i = 0; i < TRACK_BLOCK_POINTS + 10; ++i)
            points.push_back(pointAt(100 + i % 200, 100, GREEN_CLASS, 10.0f, MAGENTA_E2));
        points[0].colour = COLOUR_NO_CLASSIFICATION;
        points[TRACK_BLOCK_POINTS + 5].colour = COLOUR_ERASED;
        return storeTrack(points, false);
    }
};

TEST_F(TrackReanalysis, BoxSignatureSumsBoundsAndCells)
{
    BoxFile box;
    FillDefaultBox(&box);
    // 100 x (4.095 + 4.095) in single precision is just under 819; 1024 cells of class 30.
    EXPECT_EQ(BoxSignature(box), 818 + 1024 * 30);
    box.grid[3][7] = 31;
    EXPECT_EQ(BoxSignature(box), 818 + 1024 * 30 + 1);
    box.grid[3][7] = 0xFFFF; // a damaged cell counts as -1
    EXPECT_EQ(BoxSignature(box), 818 + 1023 * 30 - 1);
    box.e1Min = 1.0f;
    EXPECT_EQ(BoxSignature(box), 918 + 1023 * 30 - 1);
}

TEST_F(TrackReanalysis, StoredTrackIsRecolouredOnceForANewBox)
{
    uint32_t handle = storeTwoBlocks();
    TrackInfo info = trackEntry(handle);
    const auto written = fs::last_write_time(host("c:\\varnel\\database\\ovl00001\\trk00002.dat"));

    EXPECT_EQ(ReanalyseTrackOnDisc2(boxFile, &info, "database"), 1);
    std::vector<TrackPoint> points = readTrack(handle);
    ASSERT_EQ(points.size(), size_t(TRACK_BLOCK_POINTS + 10));
    // The first block starts with a reading without classification: left as it is.
    EXPECT_EQ(points[0].colour, COLOUR_NO_CLASSIFICATION);
    EXPECT_EQ(points[1].colour, GREEN_CLASS);
    EXPECT_EQ(points[TRACK_BLOCK_POINTS - 1].colour, GREEN_CLASS);
    EXPECT_EQ(points[TRACK_BLOCK_POINTS].colour, MAGENTA_CLASS);
    EXPECT_EQ(points[TRACK_BLOCK_POINTS + 5].colour, COLOUR_ERASED);
    EXPECT_EQ(points[TRACK_BLOCK_POINTS + 9].colour, MAGENTA_CLASS);
    EXPECT_EQ(trackEntry(handle).boxsignature, int16_t(BoxSignature(boxFile)));
    // Re-colouring is no change of the track: its file keeps its time (to the file time's 100 ns).
    auto now = fs::last_write_time(host("c:\\varnel\\database\\ovl00001\\trk00002.dat"));
    EXPECT_LT(std::chrono::abs(now - written), std::chrono::microseconds(1));

    // The same box again: nothing is read or written.
    info = trackEntry(handle);
    points[TRACK_BLOCK_POINTS + 1].colour = 9;
    std::string bytes(reinterpret_cast<const char*>(points.data()), points.size() * sizeof(TrackPoint));
    TempDataRoot::writeFile(host("c:\\varnel\\database\\ovl00001\\trk00002.dat"), bytes);
    EXPECT_EQ(ReanalyseTrackOnDisc2(boxFile, &info, "database"), 0);
    EXPECT_EQ(readTrack(handle)[TRACK_BLOCK_POINTS + 1].colour, 9);
}

TEST_F(TrackReanalysis, DrawingAStoredTrackRecoloursItWhenPastTracksAreColouredByClass)
{
    std::vector<TrackPoint> points;
    for (int x = 50; x <= 350; x += 10)
        points.push_back(pointAt(x, 150, GREEN_CLASS, 10.0f, MAGENTA_E2));
    uint32_t handle = storeTrack(points, false);
    QImage image = drawn([&](QPainter& dc) { RedrawPastTracksToBitmap(chartWindow, dc); });
    EXPECT_EQ(colourAt(image, 105, 150), palette(MAGENTA_CLASS));
    EXPECT_EQ(readTrack(handle)[3].colour, MAGENTA_CLASS);
}

TEST_F(TrackReanalysis, StoringTheCurrentTrackRecoloursItForTheLoadedBox)
{
    InstallStoredTrackReanalysis();
    uint32_t handle = storeTrack({pointAt(100, 100, GREEN_CLASS, 5.0f, MAGENTA_E2)}, false);
    EXPECT_EQ(readTrack(handle)[0].colour, MAGENTA_CLASS);
    EXPECT_EQ(trackEntry(handle).boxsignature, int16_t(BoxSignature(boxFile)));
}

TEST_F(TrackReanalysis, CurrentTrackRingIsRecolouredOnlyForANewBox)
{
    AppendToRing(3, pointAt(10, 10, GREEN_CLASS, 5.0f, MAGENTA_E2));
    AppendToRing(3, pointAt(20, 10, COLOUR_NO_CLASSIFICATION, 5.0f, MAGENTA_E2));
    AppendToRing(3, pointAt(30, 10, COLOUR_ERASED, 5.0f, MAGENTA_E2));
    EXPECT_EQ(ReanalyseCurrentTrackArray(3, boxFile), 1);
    const TrackPoint* points = CurrentTrackRings[3].points;
    EXPECT_EQ(points[0].colour, MAGENTA_CLASS);
    EXPECT_EQ(points[1].colour, COLOUR_NO_CLASSIFICATION);
    EXPECT_EQ(points[2].colour, COLOUR_ERASED);

    CurrentTrackRings[3].points[0].colour = 9;
    EXPECT_EQ(ReanalyseCurrentTrackArray(3, boxFile), 0);
    EXPECT_EQ(CurrentTrackRings[3].points[0].colour, 9);
}
