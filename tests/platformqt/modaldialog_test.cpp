// Modal dialogs run headless: a queued result sets the named controls and presses its button, a
// cancel comes back as such, and a dialog with nothing queued is confirmed as it stands.
#include "platform/gui.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

constexpr int IDC_NAME = 1001;
constexpr int IDC_AUTOSCALE = 1002;
constexpr int IDC_UNITS = 1003;

// A dialog as the program builds them: controls named by their identifiers.
struct UnitsDialog : QDialog {
    UnitsDialog()
    {
        name->setObjectName(QString::number(IDC_NAME));
        autoscale->setObjectName(QString::number(IDC_AUTOSCALE));
        units->setObjectName(QString::number(IDC_UNITS));
        units->addItems({"m", "ft", "fm"});
    }
    QLineEdit* name = new QLineEdit("Survey", this);
    QCheckBox* autoscale = new QCheckBox(this);
    QComboBox* units = new QComboBox(this);
};

class ModalDialogTest : public testing::Test {
protected:
    void SetUp() override { win::scripted::listen(); }
    void TearDown() override { win::scripted::stopListening(); }
};

TEST_F(ModalDialogTest, HeadlessDialogTakesTheQueuedResult)
{
    win::scripted::queueDialog(
        "DEPTH_UNITS", {IDOK, {{IDC_NAME, "Survey 7"}, {IDC_AUTOSCALE, "1"}, {IDC_UNITS, "ft"}}});
    UnitsDialog dialog;
    QSignalSpy accepted(&dialog, &QDialog::accepted);
    EXPECT_EQ(win::execModal(dialog, "DEPTH_UNITS"), IDOK);
    EXPECT_EQ(dialog.name->text(), "Survey 7");
    EXPECT_TRUE(dialog.autoscale->isChecked());
    EXPECT_EQ(dialog.units->currentIndex(), 1);
    EXPECT_EQ(accepted.count(), 1);
    EXPECT_EQ(win::scripted::dialogsOpened(), std::vector<std::string>{"DEPTH_UNITS"});
}

TEST_F(ModalDialogTest, CancelAndUnscriptedDialogs)
{
    win::scripted::queueDialog("DEPTH_UNITS", {IDCANCEL, {}});
    UnitsDialog cancelled;
    EXPECT_EQ(win::execModal(cancelled, "DEPTH_UNITS"), IDCANCEL);

    // Nothing queued: the dialog is confirmed as it stands.
    UnitsDialog untouched;
    EXPECT_EQ(win::execModal(untouched, "DEPTH_UNITS"), IDOK);
    EXPECT_EQ(untouched.name->text(), "Survey");
    EXPECT_FALSE(untouched.autoscale->isChecked());
}

} // namespace
