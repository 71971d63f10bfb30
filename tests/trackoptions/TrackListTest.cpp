// The track list over a recorded database: its rows and their texts, the star of the past track
// moving with Select, deletion through the object store with its question and failure, Close
// asking for a redraw only after a selection, and the headless path.
#include "TrackWindows.h"
#include "SurveyDatabase.h"

#include "database/OverlayStore.h"
#include "database/TrackStore.h"

#include <QTreeWidget>

namespace {

class TrackList : public TrackWindows {
protected:
    void SetUp() override
    {
        TrackWindows::SetUp();
        RecordSurveyLines(2); // tracks 2 and 3, then 4 and 5; the past track is 4
        win::scripted::clear();
    }

    static QTreeWidget* listOf(TrackListDialog& dialog)
    {
        return dialog.findChild<QTreeWidget*>(QString::number(IDC_TRACK_LIST));
    }
    static QStringList numbers(TrackListDialog& dialog)
    {
        QStringList texts;
        QTreeWidget* list = listOf(dialog);
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            texts << list->topLevelItem(i)->text(0);
        return texts;
    }
    static void choose(TrackListDialog& dialog, uint32_t handle)
    {
        QTreeWidget* list = listOf(dialog);
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            if (list->topLevelItem(i)->text(0).toUInt() == handle ||
                list->topLevelItem(i)->text(0).startsWith(QString::number(handle) + ' ')) {
                QTreeWidgetItem* row = list->topLevelItem(i);
                QRect place = list->visualItemRect(row);
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
                ASSERT_TRUE(row->isSelected());
                return;
            }
        FAIL() << "no row for track " << handle;
    }
    static void press(TrackListDialog& dialog, int id)
    {
        auto* button = dialog.findChild<QAbstractButton*>(QString::number(id));
        ASSERT_TRUE(button);
        QTest::mouseClick(button, Qt::LeftButton);
    }
};

TEST_F(TrackList, RowsOfTheStoredTracksWithTheStarOnThePastTrack)
{
    ASSERT_EQ(globaltrackstatus.field[TS_PAST_HANDLE], 4);
    TrackListDialog dialog(chartWindow);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Choose Track to select or delete");
    EXPECT_EQ(numbers(dialog), QStringList({"2     ", "3     ", "4    *", "5     "}));
    EXPECT_EQ(dialog.findChild<QLabel*>(QString::number(IDC_TRACK_DATABASE))->text(),
              "Current Database: \"UNTITLED\"");

    QTreeWidget* list = listOf(dialog);
    QStringList headers;
    for (int c = 0; c < list->columnCount(); ++c)
        headers << list->headerItem()->text(c);
    EXPECT_EQ(headers, QStringList({"No.", "West", "East", "North", "South", "Length", "Created", "Updated"}));
    // Each column keeps its share of the width.
    EXPECT_NEAR(list->columnWidth(6), list->viewport()->width() * 19 / 100, 1);

    TrackInfo track{};
    track.handle = 2;
    ASSERT_EQ(DBGetObjectInfo(TRACK_OVERLAY, OBJ_TRACK, &track, "database"), 1);
    QTreeWidgetItem* row = list->topLevelItem(0);
    EXPECT_EQ(row->text(1), LongitudeText(track.leftlon));
    EXPECT_EQ(row->text(2), LongitudeText(track.rightlon));
    EXPECT_EQ(row->text(3), LatitudeText(track.toplat));
    EXPECT_EQ(row->text(4), LatitudeText(track.bottomlat));
    EXPECT_EQ(row->text(5), QString::number(track.points));
    EXPECT_TRUE(row->text(1).endsWith("\"W")) << row->text(1).toStdString();
    EXPECT_TRUE(row->text(3).endsWith("\"N")) << row->text(3).toStdString();
    FILETIME times[3];
    ASSERT_EQ(DBGetTrackFileTimes(times, &track, "database"), 0);
    EXPECT_EQ(row->text(6), FileTimeText(times[0]));
    EXPECT_EQ(row->text(7), FileTimeText(times[2]));
    EXPECT_FALSE(row->text(7).isEmpty());
}

TEST_F(TrackList, CoordinatesAsDegreesAndDecimalMinutes)
{
    struct Case {
        int32_t value;
        const char* longitude;
        const char* latitude;
    };
    const Case cases[] = {
        {-10912345, "001°05.474\"W", "01°05.474\"S"},
        {508020000, "050°48.120\"E", "50°48.120\"N"},
        {0, "000°00.000\"E", "00°00.000\"N"},
        // 51° 59.99994': rounded to the written minute once, never 60.000.
        {519999999, "052°00.000\"E", "52°00.000\"N"},
        {-1799999999, "180°00.000\"W", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LongitudeText(c.value).toStdString(), c.longitude);
        if (*c.latitude) {
            EXPECT_EQ(LatitudeText(c.value).toStdString(), c.latitude);
        }
    }
    EXPECT_EQ(TrackNumberText(12, true), "12   *");
    EXPECT_EQ(TrackNumberText(12, false), "12    ");
}

TEST_F(TrackList, SelectMovesTheStarAndCloseAsksForARedraw)
{
    TrackListDialog dialog(chartWindow);
    dialog.show();
    choose(dialog, 2);
    press(dialog, IDC_TRACK_SELECT);
    EXPECT_EQ(numbers(dialog), QStringList({"2    *", "3     ", "4     ", "5     "}));
    EXPECT_EQ(globaltrackstatus.field[TS_PAST_HANDLE], 2);
    EXPECT_EQ(globalpasttrackinfo.handle, 2u);
    TrackInfo track{};
    track.handle = 2;
    DBGetObjectInfo(TRACK_OVERLAY, OBJ_TRACK, &track, "database");
    EXPECT_EQ(globalpasttrackinfo.points, track.points);
    EXPECT_EQ(globalpasttrackinfo.leftlon, track.leftlon);
    TrackStatus stored{};
    ASSERT_EQ(DBLoadTrackStatus(&stored), 1);
    EXPECT_EQ(stored.field[TS_PAST_HANDLE], 2);

    // Selecting the past track again keeps its star.
    press(dialog, IDC_TRACK_SELECT);
    EXPECT_EQ(numbers(dialog), QStringList({"2    *", "3     ", "4     ", "5     "}));

    EXPECT_TRUE(receivedBy(chartWindow, WM_TRACKS_REDRAW).empty());
    press(dialog, IDC_TRACK_CLOSE);
    EXPECT_EQ(dialog.result(), IDCANCEL);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(processEventsUntil([&] { return receivedBy(chartWindow, WM_TRACKS_REDRAW).size() == 1; }));
}

TEST_F(TrackList, CloseWithoutASelectionAsksForNoRedraw)
{
    TrackListDialog dialog(chartWindow);
    dialog.show();
    choose(dialog, 3);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), IDCANCEL);
    QCoreApplication::processEvents();
    EXPECT_TRUE(receivedBy(chartWindow, WM_TRACKS_REDRAW).empty());
}

TEST_F(TrackList, DeleteAsksFirstThenDeletesThroughTheObjectStore)
{
    TrackListDialog dialog(chartWindow);
    dialog.show();
    choose(dialog, 3);
    win::scripted::queueAnswer(IDCANCEL);
    press(dialog, IDC_TRACK_DELETE);
    ASSERT_EQ(win::scripted::boxes().size(), 1u);
    const auto question = win::scripted::boxes()[0];
    EXPECT_EQ(question.text, "Are you sure you want to delete track 3?");
    EXPECT_EQ(question.caption, "Varnel System Manager");
    EXPECT_EQ(question.type, UINT(MB_OKCANCEL | MB_ICONQUESTION));
    EXPECT_EQ(numbers(dialog).size(), 4);

    win::scripted::queueAnswer(IDOK);
    press(dialog, IDC_TRACK_DELETE);
    EXPECT_EQ(numbers(dialog), QStringList({"2     ", "4    *", "5     "}));
    TrackInfo track{};
    track.handle = 3;
    ASSERT_EQ(DBGetObjectInfo(TRACK_OVERLAY, OBJ_TRACK, &track, "database"), 1);
    EXPECT_EQ(track.handle, 0u);

    TrackListDialog again(chartWindow);
    EXPECT_EQ(numbers(again), QStringList({"2     ", "4    *", "5     "}));
}

TEST_F(TrackList, AFailedDeleteSaysSoAndKeepsTheRow)
{
    TrackListDialog first(chartWindow), second(chartWindow);
    first.show();
    second.show();
    choose(second, 5);
    press(second, IDC_TRACK_DELETE);
    // The first list still shows track 5, which is gone from the store.
    choose(first, 5);
    win::scripted::clear();
    press(first, IDC_TRACK_DELETE);
    std::vector<std::string> texts;
    for (const auto& box : win::scripted::boxes())
        texts.push_back(box.text);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back(), "Failed to delete track");
    EXPECT_EQ(win::scripted::boxes().back().type & MB_ICONMASK, UINT(MB_ICONEXCLAMATION));
    EXPECT_EQ(numbers(first).size(), 4);
}

TEST_F(TrackList, TheCurrentTrackIsNeverListed)
{
    // tracks.inf starts with the current track's entry, which the store's query lists too.
    TrackListDialog dialog(chartWindow);
    for (const QString& number : numbers(dialog))
        EXPECT_NE(number.trimmed().remove('*').toInt(), 1);
    EXPECT_FALSE(numbers(dialog).isEmpty());
}

TEST_F(TrackList, HeadlessItTakesTheScriptedAnswer)
{
    win::scripted::queueDialog(TRACK_LIST_TITLE, {IDCANCEL, {}});
    ShowTrackList(chartWindow);
    EXPECT_FALSE(win::scripted::dialogQueued(TRACK_LIST_TITLE));
    const auto opened = win::scripted::dialogsOpened();
    EXPECT_NE(std::find(opened.begin(), opened.end(), TRACK_LIST_TITLE), opened.end());
}

} // namespace
