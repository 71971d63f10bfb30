// The enquiry over the demo survey on the demo chart, grabbed as the user sees it (written to
// enquiry-demo.png in the test's build folder).
#include "EnquiryFixture.h"

#include "DemoSurvey.h"
#include "democell.h"

#include "chart/TrackDrawing.h"
#include "classification/BoxFile.h"
#include "database/OverlayStore.h"
#include "database/TrackStore.h"
#include "euro32/euro32.h"
#include "platform/files.h"
#include "platform/gui.h"
#include "platform/messages.h"

#include <QPainter>

#include <filesystem>

TEST_F(EnquiryTest, OverTheDemoSurvey)
{
    std::string error;
    ASSERT_TRUE(MakeDemoSurvey(error)) << error;
    LoadStartupBoxFile();
    ASSERT_EQ(DBLoadTrackStatus(&globaltrackstatus), 1);
    const auto charts = *win::HostPath("c:\\varnel\\charts");
    std::filesystem::create_directories(charts);
    chartmaker::S57CellWriter cell({chartmaker::kDemoCellName, 22000, "20260101", ""});
    ASSERT_TRUE(chartmaker::buildDemoCell(cell, &error) && cell.write((charts / chartmaker::kDemoCellName).string(), &error))
        << error;
    EC_oemChart_doAction(EC_ACTION_RELOAD);
    win::scripted::queueDialog("Folio", {IDOK, {{1, "TV5DEMO1"}}});
    EC_oemChart_doAction(EC_ACTION_FOLIO);
    showArea(118165000, 577135000, 118835000, 576865000);
    {
        QPainter dc(&chartSurface.screen);
        ASSERT_EQ(RedrawPastTracksToBitmap(chartWindow, dc), 0);
    }

    // A point half-way along the second stored track, clicked a few pixels off.
    std::vector<TrackInfo> tracks;
    ASSERT_TRUE(db::GetTracksInDataRect(nullptr, "database", tracks));
    ASSERT_GE(tracks.size(), 3u);
    TrackInfo track = tracks[2];
    std::vector<TrackPoint> points(TRACK_BLOCK_POINTS);
    TrackBlock block{points.data(), TRACK_BLOCK_POINTS, int32_t(track.points / 2 * sizeof(TrackPoint))};
    ASSERT_EQ(DBReadTrackDataBlock(&track, &block, "database"), 1);
    int x = 0, y = 0;
    ASSERT_GT(EC_GeosToPixel(points[0].lon, points[0].lat, &x, &y, engineWindow), 0);
    win::scripted::clear();
    start();
    click(x + 3, y + 2);

    EXPECT_TRUE(win::scripted::boxes().empty());
    EXPECT_EQ(caption().rfind("Track ", 0), 0u) << caption();
    EXPECT_NE(field(IDC_INFO_BOTTOM), "<Ext>");
    EXPECT_NE(field(IDC_INFO_DATE), "00-00-00");
    const QImage grab = mainWidget->grab().toImage();
    grab.save(ENQUIRY_GRAB_DIR "/enquiry-demo.png");
    const RECT r = dialogRect();
    EXPECT_EQ(grab.pixelColor(r.left + 3, r.top + 3), QColor(0, 0, 128)); // the dialog's caption, on top
}
