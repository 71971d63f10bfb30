// The track list dialog: its rows from the active database's track entries, and the deletion and
// selection of a track.
#include "ToolWindow.h"

#include "trackwin/TrackList.h"
#include "trackwin/TrackOptions.h"

#include "database/Catalogue.h"
#include "database/CurrentTrack.h"
#include "database/DbFiles.h"
#include "database/OverlayStore.h"
#include "database/TrackStore.h"
#include "platform/messages.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

constexpr const char* ACTIVE_DATABASE = "database";
constexpr int COLUMNS = 8;
constexpr const char* COLUMN_NAMES[COLUMNS] = {"No.",    "West",   "East",    "North",
                                               "South",  "Length", "Created", "Updated"};
constexpr int COLUMN_PERCENT[COLUMNS] = {5, 12, 12, 12, 12, 9, 19, 19};
constexpr int TRACK_COUNT = 2; // the tracks' place among the object counts

// The live handles of the track overlay, as its rectangle query lists them.
std::vector<uint32_t> trackHandles()
{
    uint16_t counts[5] = {};
    if (!DBGetNoOfObjectsInDataRect(TRACK_OVERLAY, counts, nullptr, ACTIVE_DATABASE) || counts[TRACK_COUNT] == 0)
        return {};
    std::vector<uint32_t> handles(counts[TRACK_COUNT]);
    if (!DBGetHandleTable(TRACK_OVERLAY, OBJ_TRACK, handles.data(), uint32_t(handles.size()), ACTIVE_DATABASE))
        return {};
    return handles;
}

// Wide enough that every column's share holds its widest text, within the screen.
int listWidth(const QFontMetrics& metrics)
{
    const QString widest[COLUMNS] = {"00000*", "000°00.000\"W", "000°00.000\"W", "00°00.000\"N",
                                     "00°00.000\"N", "0000000",
                                     FileTimeText(FILETIME{0xFFFFFFFFu, 0x01DFFFFFu}),
                                     FileTimeText(FILETIME{0xFFFFFFFFu, 0x01DFFFFFu})};
    int width = 0;
    for (int column = 0; column < COLUMNS; ++column)
        width = std::max(width, (metrics.horizontalAdvance(widest[column]) + 14) * 100 / COLUMN_PERCENT[column]);
    return width;
}

QPushButton* button(QDialog* dialog, const char* text, int id)
{
    auto* push = win::withId(new QPushButton(text, dialog), id);
    push->setAutoDefault(false);
    return push;
}

uint32_t pastTrackHandle() { return uint32_t(globaltrackstatus.field[TS_PAST_HANDLE]); }

// Each column keeps its share of the list's width.
class TrackListView : public QTreeWidget {
protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QTreeWidget::resizeEvent(event);
        const int width = viewport()->width();
        for (int column = 0; column < COLUMNS; ++column)
            setColumnWidth(column, width * COLUMN_PERCENT[column] / 100);
    }
};

} // namespace

TrackListDialog::TrackListDialog(HWND chartWindow, QWidget* parent) : QDialog(parent), chartWindow_(chartWindow)
{
    setWindowTitle(TRACK_LIST_TITLE);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(win::withId(new QLabel, IDC_TRACK_DATABASE));
    layout->addWidget(win::withId(new QLabel("Click on track number to choose"), IDC_TRACK_HINT));

    list_ = win::withId(new TrackListView, IDC_TRACK_LIST);
    list_->setWindowTitle("Track List");
    list_->setColumnCount(COLUMNS);
    list_->setHeaderLabels({COLUMN_NAMES, COLUMN_NAMES + COLUMNS});
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSortingEnabled(false);
    list_->header()->setSectionsClickable(false);
    list_->header()->setSectionResizeMode(QHeaderView::Fixed);
    list_->header()->setStretchLastSection(false);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(list_, 1);

    auto* buttons = new QHBoxLayout;
    QPushButton* remove = button(this, "DELETE", IDC_TRACK_DELETE);
    remove->setDefault(true);
    QPushButton* select = button(this, "Select", IDC_TRACK_SELECT);
    QPushButton* close = button(this, "Close", IDC_TRACK_CLOSE);
    buttons->addStretch();
    for (QPushButton* b : {remove, select, close})
        buttons->addWidget(b);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(remove, &QPushButton::clicked, this, [this] { OnDelete(); });
    connect(select, &QPushButton::clicked, this, [this] { OnSelect(); });
    connect(close, &QPushButton::clicked, this, [this] { done(IDCANCEL); });

    fill();
    const int available = win::widgetOf(chartWindow) ? win::widgetOf(chartWindow)->width() - 20 : 1000;
    resize(std::min(std::max(720, listWidth(list_->fontMetrics()) + 40), std::max(available, 720)), 320);
}

void TrackListDialog::fill()
{
    for (uint32_t handle : trackHandles()) {
        if (handle <= 1)
            continue;
        TrackInfo track{};
        track.handle = handle;
        if (!DBGetObjectInfo(TRACK_OVERLAY, OBJ_TRACK, &track, ACTIVE_DATABASE) || track.handle == 0)
            continue;
        addRow(track);
    }
    char name[256];
    if (DBGetDatabaseName(name, ACTIVE_DATABASE) != 0)
        std::snprintf(name, sizeof name, "%s", "Current Database");
    char text[300];
    std::snprintf(text, sizeof text, "Current Database: \"%s\"", name);
    win::controlOf<QLabel>(this, IDC_TRACK_DATABASE)->setText(QString::fromUtf8(text));
}

void TrackListDialog::addRow(const TrackInfo& track)
{
    QStringList texts{TrackNumberText(track.handle, track.handle == pastTrackHandle()),
                      LongitudeText(track.leftlon),
                      LongitudeText(track.rightlon),
                      LatitudeText(track.toplat),
                      LatitudeText(track.bottomlat),
                      QString::number(track.points)};
    FILETIME times[3] = {};
    TrackInfo file = track;
    if (DBGetTrackFileTimes(times, &file, ACTIVE_DATABASE) == 0)
        texts << FileTimeText(times[0]) << FileTimeText(times[2]);
    auto* row = new QTreeWidgetItem(list_, texts);
    for (int column = 0; column < COLUMNS; ++column)
        row->setTextAlignment(column, Qt::AlignLeft | Qt::AlignVCenter);
}

QTreeWidgetItem* TrackListDialog::rowOfTrack(uint32_t handle) const
{
    const QString starred = TrackNumberText(handle, true);
    for (int i = 0; i < list_->topLevelItemCount(); ++i)
        if (list_->topLevelItem(i)->text(0) == starred)
            return list_->topLevelItem(i);
    return nullptr;
}

void TrackListDialog::OnDelete()
{
    QTreeWidgetItem* row = list_->currentItem();
    if (!row || !row->isSelected())
        return;
    const long handle = std::atol(row->text(0).toLatin1().constData());
    char question[80];
    std::snprintf(question, sizeof question, "Are you sure you want to delete track %ld?", handle);
    if (MessageBoxA(chartWindow_, question, db::APPLICATION_TITLE, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    if (!DBDeleteObject(TRACK_OVERLAY, OBJ_TRACK, uint32_t(handle))) {
        MessageBeep(MB_ICONEXCLAMATION);
        MessageBoxA(chartWindow_, "Failed to delete track", db::APPLICATION_TITLE, MB_ICONEXCLAMATION);
        return;
    }
    delete row;
}

void TrackListDialog::OnSelect()
{
    QTreeWidgetItem* row = list_->currentItem();
    if (!row || !row->isSelected())
        return;
    const uint32_t handle = uint32_t(std::atol(row->text(0).toLatin1().constData()));
    QTreeWidgetItem* old = rowOfTrack(pastTrackHandle());
    const uint32_t oldHandle = pastTrackHandle();
    globaltrackstatus.field[TS_PAST_HANDLE] = int32_t(handle);
    globalpasttrackinfo.handle = handle;
    DBGetObjectInfo(TRACK_OVERLAY, OBJ_TRACK, &globalpasttrackinfo, ACTIVE_DATABASE);
    DBSaveTrackStatus(&globaltrackstatus);
    // The old star goes first, so that selecting the past track again keeps its star.
    if (old)
        old->setText(0, TrackNumberText(oldHandle, false));
    row->setText(0, TrackNumberText(handle, true));
    selectionChanged_ = true;
}

void TrackListDialog::done(int result)
{
    if (result == IDCANCEL && selectionChanged_) {
        selectionChanged_ = false;
        PostMessageA(chartWindow_, WM_TRACKS_REDRAW, 0, 0);
    }
    QDialog::done(result);
}

void ShowTrackList(HWND chartWindow)
{
    TrackListDialog dialog(chartWindow, ToolHost(chartWindow));
    win::execModal(dialog, TRACK_LIST_TITLE);
}
