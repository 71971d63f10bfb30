// The "Turn Saving OFF" dialog: store the track, do not store it, cancel, or pick another
// database to store it into.
#pragma once

#include "platform/windef.h"

#include <QDialog>

class QLabel;

class SaveTrackDialog : public QDialog {
public:
    SaveTrackDialog();
    // The folder of the database chosen with "Another Database", empty for the active one.
    QString chosenFolder() const;
    // Escape and the close button answer Cancel.
    void reject() override { done(IDCANCEL); }

private:
    void showActiveDatabase();
    void chooseAnotherDatabase();

    QLabel* folderLabel_;
    QLabel* nameLabel_;
};
