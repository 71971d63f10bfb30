#include "SaveTrackDialog.h"

#include "recording/RecordingControl.h"

#include "database/Catalogue.h"
#include "DatabaseDialogs.h"
#include "frame/Inifile.h"
#include "platform/files.h"
#include "platform/gui.h"
#include "platform/messages.h"
#include "platform/profile.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <strings.h>

namespace {

constexpr char ACTIVE_DATABASE[] = "database";

QPushButton* addButton(QHBoxLayout* row, const char* text, int id)
{
    auto* button = new QPushButton(QString::fromLatin1(text));
    button->setObjectName(QString::number(id));
    row->addWidget(button);
    return button;
}

// The program relies on "c:\varnel" being current; say so once if something moved it.
void restoreProgramFolder()
{
    std::string found = win::CurrentDirectory();
    if (strcasecmp(found.c_str(), "c:\\varnel") == 0)
        return;
    win::SetCurrentDirectory("c:\\varnel");
    int32_t inhibit = static_cast<int32_t>(GetPrivateProfileIntA("DEBUG", "InhibitCWDWarning", 1, VARNEL_INI));
    if (inhibit)
        return;
    std::string text = "The default directory has changed from \"c:\\varnel\" to \"" + found +
                       "\". Have you informed Tarnley? (If you reply \"Yes\" you will not get this "
                       "message again)";
    if (MessageBoxA(nullptr, text.c_str(), "Error, please inform Tarnley", MB_YESNO) == IDYES)
        WritePrivateProfileStringA("DEBUG", "InhibitCWDWarning", "1", VARNEL_INI);
}

} // namespace

SaveTrackDialog::SaveTrackDialog()
{
    setWindowTitle("Turn Saving OFF");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Do you want to store this track in the database?"));
    folderLabel_ = new QLabel;
    folderLabel_->setObjectName(QString::number(IDC_SAVE_DATABASE_FOLDER));
    nameLabel_ = new QLabel;
    nameLabel_->setObjectName(QString::number(IDC_SAVE_DATABASE_NAME));
    layout->addWidget(folderLabel_);
    layout->addWidget(nameLabel_);
    auto* row = new QHBoxLayout;
    layout->addLayout(row);
    QPushButton* yes = addButton(row, "&Yes", IDYES);
    addButton(row, "&No", IDNO);
    addButton(row, "Cancel", IDCANCEL);
    addButton(row, "Another Database", IDC_ANOTHER_DATABASE);
    for (auto* button : findChildren<QPushButton*>()) {
        int id = button->objectName().toInt();
        if (id == IDC_ANOTHER_DATABASE)
            connect(button, &QPushButton::clicked, this, [this] { chooseAnotherDatabase(); });
        else
            connect(button, &QPushButton::clicked, this, [this, id] { done(id); });
    }
    yes->setDefault(true);
    showActiveDatabase();
}

void SaveTrackDialog::showActiveDatabase()
{
    char folder[MAX_PATH];
    if (DBFindDatabaseFolder(folder, ACTIVE_DATABASE) == 0)
        folderLabel_->setText(QString::fromLocal8Bit(folder));
    else
        folderLabel_->setText("ERROR: Database not found");
    nameLabel_->setText(ACTIVE_DATABASE);
}

void SaveTrackDialog::chooseAnotherDatabase()
{
    const char* folder = RunSelectDatabaseDialog(this);
    if (folder) {
        char name[256] = "";
        DBGetDatabaseName(name, folder);
        folderLabel_->setText(QString::fromLocal8Bit(folder));
        nameLabel_->setText(QString::fromLocal8Bit(name));
    } else {
        showActiveDatabase();
    }
    findChild<QPushButton*>(QString::number(IDYES))->setFocus();
}

QString SaveTrackDialog::chosenFolder() const
{
    QString folder = folderLabel_->text();
    if (nameLabel_->text() == ACTIVE_DATABASE || folder.startsWith("ERROR:") ||
        folder.compare(ACTIVE_DATABASE, Qt::CaseInsensitive) == 0)
        return {};
    return folder;
}

int32_t DoDialogSaveTrack(char** databaseName)
{
    if (!databaseName)
        return 0;
    restoreProgramFolder();
    *databaseName = nullptr;
    SaveTrackDialog dialog;
    int32_t answer = int32_t(win::execModal(dialog, "Turn Saving OFF"));
    // The chosen folder outlives the dialog, as the caller keeps the pointer.
    static std::string chosen;
    chosen = dialog.chosenFolder().toStdString();
    if (!chosen.empty())
        *databaseName = chosen.data();
    return answer;
}
