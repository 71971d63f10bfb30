// The "Turn Saving OFF" dialog as a real widget: "Another Database" picks the database the
// track goes to, and shows it.
#include "SaveTrackDialog.h"
#include "TempDataRoot.h"
#include "database/Catalogue.h"
#include "database/CurrentTrack.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/profile.h"
#include "recording/RecordingControl.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

TEST(SaveTrackDialog, AnotherDatabaseIsShownAndCancellingItGoesBackToTheActiveOne)
{
    TempDataRoot root;
    win::scripted::listen();
    ASSERT_EQ(DBInitialiseDatabase('C'), 1);
    ASSERT_EQ(win::mkdir("c:\\varnel\\survey2"), 0);
    WritePrivateProfileStringA("Names", "Name", "Survey Two", "c:\\varnel\\survey2\\multidb.ini");

    SaveTrackDialog dialog;
    auto label = [&](int id) { return dialog.findChild<QLabel*>(QString::number(id))->text(); };
    auto another = dialog.findChild<QPushButton*>(QString::number(IDC_ANOTHER_DATABASE));
    EXPECT_EQ(label(IDC_SAVE_DATABASE_NAME), "database");
    EXPECT_FALSE(label(IDC_SAVE_DATABASE_FOLDER).startsWith("ERROR"));
    EXPECT_TRUE(dialog.chosenFolder().isEmpty());

    win::scripted::queueDialog(SELECT_DATABASE_DIALOG, {IDOK, {{IDC_NEW_SELECTION, "Survey Two"}}});
    another->click();
    EXPECT_EQ(label(IDC_SAVE_DATABASE_FOLDER), "survey2");
    EXPECT_EQ(label(IDC_SAVE_DATABASE_NAME), "Survey Two");
    EXPECT_EQ(dialog.chosenFolder(), "survey2");

    win::scripted::queueDialog(SELECT_DATABASE_DIALOG, {IDCANCEL, {}});
    another->click();
    EXPECT_EQ(label(IDC_SAVE_DATABASE_NAME), "database");
    EXPECT_TRUE(dialog.chosenFolder().isEmpty());
    win::scripted::stopListening();
}

} // namespace
