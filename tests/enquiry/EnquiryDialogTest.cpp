// The enquiry dialog: its fields for a found point (position, echo values, depth in each unit
// and below the draft, seabed type, time and date from the active database), its place
// opposite the marker, and its "Select" and "Delete Track" buttons.
#include "EnquiryFixture.h"


#include "chart/TrackPens.h"
#include "classification/BoxFile.h"
#include "database/DbFiles.h"
#include "database/OverlayStore.h"
#include "euro32/euro32.h"
#include "frame/Inifile.h"
#include "frame/ProgramSettings.h"
#include "platform/files.h"
#include "platform/gui.h"
#include "platform/messages.h"
#include "platform/winuser.h"
#include "records/TrackStoreFiles.h"

#include <QAbstractButton>
#include <QTest>

#include <cstring>
#include <filesystem>

namespace {

QAbstractButton* buttonOf(HWND dialog, int id)
{
    return win::widgetOf(dialog)->findChild<QAbstractButton*>(QString::number(id));
}

bool Listed(uint32_t handle)
{
    std::vector<TrackInfo> tracks;
    EXPECT_TRUE(db::GetTracksInDataRect(nullptr, "database", tracks));
    for (const TrackInfo& t : tracks)
        if (t.handle == handle)
            return true;
    return false;
}

} // namespace

TEST_F(EnquiryTest, TheDialogShowsThePointsData)
{
    WriteVarnelProfileInt("PositionWnd", "MinuteDecimals", 2);
    std::strcpy(boxFile.classNames[30], "Sand"); // every cell of the built-in box is class 30
    TrackPoint point = pointAt(10, 10, 12.25f, 1.012f, 0.5f, 7);
    point.lat = 577000000;
    point.lon = 118500000;
    const uint32_t handle = storeTrack({pointAt(100, 100), point}, {1700000000u, 1700000000u}, 3);
    int x = 0, y = 0;
    ASSERT_GT(EC_GeosToPixel(point.lon, point.lat, &x, &y, engineWindow), 0);
    transducerDraft = 0.0;
    depthDisplay.units = 0;
    start();

    click(x + 3, y - 2);
    EXPECT_EQ(caption(), "Track " + std::to_string(handle) + ", Xdcr 3, point 1");
    EXPECT_EQ(field(IDC_INFO_LAT), "57 42.00' N");
    EXPECT_EQ(field(IDC_INFO_LONG), "011 51.00' E");
    EXPECT_EQ(field(IDC_INFO_E1), "1.012");
    EXPECT_EQ(field(IDC_INFO_E2), "0.500");
    EXPECT_EQ(field(IDC_INFO_DEPTH), " 12.2m");
    EXPECT_EQ(field(IDC_INFO_BOTTOM), "Sand");
    EXPECT_EQ(field(IDC_INFO_TIME), "22:13:20");
    EXPECT_EQ(field(IDC_INFO_DATE), "14-11-2023");
    // The swatch in the point's class colour; the plot's lines cross at (e2, e1) on a 0..2.024 scale.
    const QImage swatch = win::widgetOf(dialog())->findChild<QWidget*>(QString::number(IDC_INFO_SWATCH))->grab().toImage();
    EXPECT_EQ(swatch.pixelColor(swatch.width() / 2, swatch.height() / 2), ClassBrushes[7].color());
    QWidget* plotWidget = win::widgetOf(dialog())->findChild<QWidget*>(QString::number(IDC_INFO_PLOT));
    const QImage plot = plotWidget->grab().toImage();
    const int crossX = int(plot.width() * 0.5 / 2.024), crossY = int(std::abs(plot.height() * 1.012 / 2.024 - plot.height()));
    EXPECT_EQ(plot.pixelColor(crossX, 5), QColor(Qt::black));
    EXPECT_EQ(plot.pixelColor(5, crossY), QColor(Qt::black));
    EXPECT_EQ(plot.pixelColor(crossX + 5, crossY + 5), QColor(Qt::white));

    // Depth below the transducer in each unit; never negative.
    const struct {
        int16_t units;
        double draft;
        const char* text;
    } depths[] = {{0, 2.0, " 10.2m"}, {1, 2.25, " 32.8ft"}, {2, 2.25, "  5.5fm"}, {0, 13.0, "  0.0m"}};
    for (const auto& d : depths) {
        depthDisplay.units = d.units;
        transducerDraft = d.draft;
        click(x, y);
        EXPECT_EQ(field(IDC_INFO_DEPTH), d.text) << d.units << " " << d.draft;
    }
    transducerDraft = 0.0;
    depthDisplay.units = 0;
}

TEST_F(EnquiryTest, ReadingsOutsideTheBoxAndColourCodesThatAreNoColour)
{
    TrackPoint outside = pointAt(300, 300, 5.0f, 1.0f, 4.5f, 47);
    storeTrack({outside});
    start();
    click(300, 300);
    EXPECT_EQ(field(IDC_INFO_BOTTOM), "<Ext>");

    // The track's rectangle leaves its erased points out: one is kept to put it in view.
    TrackPoint erased = pointAt(600, 300, 5.0f, 1.0f, 1.0f, COLOUR_ERASED);
    storeTrack({erased, pointAt(640, 300)});
    click(600, 300);
    const QImage swatch = win::widgetOf(dialog())->findChild<QWidget*>(QString::number(IDC_INFO_SWATCH))->grab().toImage();
    EXPECT_EQ(swatch.pixelColor(2, 2), ClassBrushes[COLOUR_NO_CLASSIFICATION].color());
    EXPECT_EQ(caption(), "Track 3, Xdcr 0, DELETED POINT 0");
}

TEST_F(EnquiryTest, MissingTimesShowZeros)
{
    // The time file lost its second time; the second track's is gone.
    const uint32_t shortTimes = storeTrack({pointAt(200, 200), pointAt(260, 200)});
    const uint32_t noTimes = storeTrack({pointAt(600, 500)});
    const std::string folder = "c:\\varnel\\database\\ovl00001\\";
    std::filesystem::resize_file(*win::HostPath(folder + StoredTrackFileName(shortTimes, "tim")), 4);
    std::filesystem::remove(*win::HostPath(folder + StoredTrackFileName(noTimes, "tim")));
    start();

    click(200, 200);
    EXPECT_EQ(field(IDC_INFO_TIME), "22:13:20");
    click(260, 200);
    EXPECT_EQ(pSedrixInfo->handle, shortTimes);
    EXPECT_EQ(field(IDC_INFO_TIME), "00:00:00");
    EXPECT_EQ(field(IDC_INFO_DATE), "00-00-00");
    click(600, 500);
    EXPECT_EQ(pSedrixInfo->handle, noTimes);
    EXPECT_EQ(field(IDC_INFO_TIME), "00:00:00");
    EXPECT_EQ(field(IDC_INFO_DATE), "00-00-00");
    EXPECT_TRUE(win::scripted::boxes().empty());
}

TEST_F(EnquiryTest, TimesComeFromTheActiveDatabaseOnItsOwnDrive)
{
    // Drive C holds a database whose track 2 has other times than the active one on drive D.
    storeTrack({pointAt(300, 300)}, {1500000000u});
    root->addDrive('d');
    ASSERT_EQ(DBInitialiseDatabase('D'), 1);
    storeTrack({pointAt(300, 300)}, {1700000000u});
    start();

    click(300, 300);
    EXPECT_EQ(pSedrixInfo->handle, 2u);
    EXPECT_EQ(field(IDC_INFO_DATE), "14-11-2023");
    EXPECT_EQ(field(IDC_INFO_TIME), "22:13:20");
}

TEST_F(EnquiryTest, TheDialogOpensInTheQuadrantOppositeThePoint)
{
    storeTrack({pointAt(200, 150), pointAt(800, 150), pointAt(200, 600), pointAt(800, 600)});
    start();
    const struct {
        QPoint at;
        QPoint centre; // of the quadrant diagonally opposite
    } cases[] = {{{200, 150}, {768, 576}}, {{800, 150}, {256, 576}}, {{200, 600}, {768, 192}}, {{800, 600}, {256, 192}}};
    for (const auto& c : cases) {
        click(c.at.x(), c.at.y());
        const RECT r = dialogRect();
        EXPECT_TRUE(IsWindowVisible(dialog()));
        EXPECT_NEAR((r.left + r.right) / 2, c.centre.x(), 1) << c.at.x() << "," << c.at.y();
        EXPECT_NEAR((r.top + r.bottom) / 2, c.centre.y(), 1) << c.at.x() << "," << c.at.y();
    }
}

TEST_F(EnquiryTest, SelectMakesThePointsTrackThePastTrack)
{
    storeTrack({pointAt(200, 200)});
    const uint32_t handle = storeTrack({pointAt(600, 400), pointAt(620, 400)});
    start();
    click(600, 400);
    QAbstractButton* select = buttonOf(dialog(), IDC_INFO_SELECT);
    ASSERT_TRUE(select->isVisible());
    EXPECT_FALSE(select->isChecked());
    EXPECT_TRUE(select->isEnabled());

    QTest::mouseClick(select, Qt::LeftButton);
    EXPECT_EQ(globaltrackstatus.field[TS_PAST_HANDLE], int32_t(handle));
    EXPECT_EQ(globalpasttrackinfo.handle, handle);
    EXPECT_EQ(globalpasttrackinfo.points, 2u);
    TrackStatus saved{};
    ASSERT_EQ(DBLoadTrackStatus(&saved), 1);
    EXPECT_EQ(saved.field[TS_PAST_HANDLE], int32_t(handle));
    // The full redraw hides the dialog.
    EXPECT_TRUE(processEventsUntil([] { return !chartMessagesOf(WM_USER + 845).empty(); }));
    EXPECT_FALSE(IsWindowVisible(dialog()));

    // The past track's button shows it selected.
    click(620, 400);
    EXPECT_TRUE(select->isChecked());
    EXPECT_FALSE(select->isEnabled());
    click(200, 200);
    EXPECT_FALSE(select->isChecked());
    EXPECT_TRUE(select->isEnabled());
}

TEST_F(EnquiryTest, TheHiddenSelectBoxKeepsTheTrackFoundByThePreviousClick)
{
    const uint32_t first = storeTrack({pointAt(200, 200)});
    storeTrack({pointAt(600, 400)});
    start();
    click(200, 200);
    ASSERT_EQ(pSedrixInfo->handle, first);
    buttonOf(dialog(), IDC_INFO_KEEP_TRACK)->setChecked(true);

    // Each click keeps the track found by the one before; its button, not the past track's,
    // shows selected.
    QAbstractButton* select = buttonOf(dialog(), IDC_INFO_SELECT);
    click(200, 200);
    EXPECT_TRUE(select->isChecked());
    EXPECT_FALSE(select->isEnabled());
    click(600, 400);
    EXPECT_FALSE(select->isChecked());
    EXPECT_TRUE(select->isEnabled());
    EXPECT_EQ(globaltrackstatus.field[TS_PAST_HANDLE], 0);
}

TEST_F(EnquiryTest, DeleteTrackAsksThenDeletesTheTrack)
{
    const uint32_t kept = storeTrack({pointAt(200, 200)});
    const uint32_t doomed = storeTrack({pointAt(600, 400)});
    start();
    click(600, 400);
    QTest::mouseClick(buttonOf(dialog(), IDC_INFO_SELECT), Qt::LeftButton);
    click(600, 400);

    win::scripted::queueAnswer(IDCANCEL);
    QTest::mouseClick(buttonOf(dialog(), IDC_INFO_DELETE), Qt::LeftButton);
    EXPECT_TRUE(Listed(doomed));
    EXPECT_TRUE(IsWindowVisible(dialog()));

    win::scripted::clear();
    QTest::mouseClick(buttonOf(dialog(), IDC_INFO_DELETE), Qt::LeftButton);
    const auto boxes = win::scripted::boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Are you sure you want to delete track 3?");
    EXPECT_EQ(boxes[0].caption, "Varnel System Manager");
    EXPECT_EQ(boxes[0].type, UINT(MB_OKCANCEL | MB_ICONQUESTION | MB_SYSTEMMODAL));
    EXPECT_FALSE(Listed(doomed));
    EXPECT_FALSE(IsWindowVisible(dialog()));
    // It was the past track: no longer drawn as one.
    EXPECT_EQ(globaltrackstatus.field[TS_PAST_HANDLE], 0);
    EXPECT_TRUE(processEventsUntil([] { return !chartMessagesOf(WM_USER + 845).empty(); }));

    click(600, 400);
    EXPECT_EQ(pSedrixInfo->handle, kept);
}

TEST_F(EnquiryTest, SelectOnlyModeHasNoSelectButtonAndDeletesNothing)
{
    const uint32_t handle = storeTrack({pointAt(600, 400)});
    start(ENQUIRY_SELECT_ONLY);
    click(600, 400);
    EXPECT_EQ(caption(), "Trackpoint Enquiry");
    EXPECT_FALSE(buttonOf(dialog(), IDC_INFO_SELECT)->isVisible());

    QTest::mouseClick(buttonOf(dialog(), IDC_INFO_DELETE), Qt::LeftButton);
    EXPECT_EQ(win::scripted::boxes().size(), 1u);
    EXPECT_TRUE(Listed(handle));
    EXPECT_FALSE(IsWindowVisible(dialog()));
}
