// The track list ("Choose Track to select or delete"): the stored tracks of the active database
// with their extent, size and file times; the user selects the past track or deletes a track.
#pragma once

#include "platform/windef.h"
#include "records/TrackRecords.h"

#include <QDialog>
#include <QString>

class QTreeWidget;
class QTreeWidgetItem;

inline constexpr const char* TRACK_LIST_TITLE = "Choose Track to select or delete";

enum TrackListControl {
    IDC_TRACK_DELETE = 1,
    IDC_TRACK_CLOSE = 2,
    IDC_TRACK_SELECT = 4325,
    IDC_TRACK_LIST = 4351,
    IDC_TRACK_DATABASE = 4353,
    IDC_TRACK_HINT = 4354,
};

// Modal over the chart window; headless runs take their answer from the scripted dialog queue.
void ShowTrackList(HWND chartWindow);

// The dialog itself; the list is filled when it is made.
class TrackListDialog : public QDialog {
public:
    TrackListDialog(HWND chartWindow, QWidget* parent = nullptr);

    void OnDelete();
    void OnSelect();
    // Close, Escape and the window's close box all end here.
    void done(int result) override;
    void accept() override { OnDelete(); }
    void reject() override { done(IDCANCEL); }

private:
    void fill();
    void addRow(const TrackInfo& track);
    QTreeWidgetItem* rowOfTrack(uint32_t handle) const;

    HWND chartWindow_;
    QTreeWidget* list_;
    bool selectionChanged_ = false;
};

// The texts of a row: "No.", "West", "East", "North", "South", "Length", "Created", "Updated".
QString TrackNumberText(uint32_t handle, bool pastTrack);
// 1e-7 degree as degrees and decimal minutes: "001°05.456\"W", "50°48.123\"N".
QString LongitudeText(int32_t longitude);
QString LatitudeText(int32_t latitude);
// A file time in local time, in the user's short date and time formats.
QString FileTimeText(const FILETIME& time);
