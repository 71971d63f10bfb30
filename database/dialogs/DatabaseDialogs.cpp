#include "DatabaseDialogs.h"

#include "database/Catalogue.h"
#include "platform/dialogcontrols.h"
#include "platform/gui.h"
#include "platform/messages.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <cstdio>

namespace {

class SelectDatabaseWindow : public QDialog {
public:
    explicit SelectDatabaseWindow(QWidget* parent) : QDialog(parent)
    {
        setWindowTitle(SELECT_DATABASE_DIALOG);
        auto* layout = new QFormLayout(this);
        auto* list = win::withId(new QListWidget, IDC_DATABASE_LIST);
        list->setSortingEnabled(true);
        auto* current = win::withId(new QLineEdit, IDC_CURRENT_DATABASE);
        current->setReadOnly(true);
        selection_ = win::withId(new QLineEdit, IDC_NEW_SELECTION);
        selection_->setReadOnly(true);
        layout->addRow(list);
        layout->addRow("Current Database", current);
        layout->addRow("New Selection", selection_);
        auto* buttons = win::okCancelButtons(this);
        // Present as on the original form, but nothing acts on them.
        buttons->addButton("Properties", QDialogButtonBox::ActionRole)->setEnabled(false);
        buttons->addButton("New", QDialogButtonBox::ActionRole)->setEnabled(false);
        layout->addRow(buttons);

        DatabaseList content = BuildDatabaseList(nullptr);
        for (const auto& name : content.names)
            list->addItem(QString::fromLocal8Bit(name.c_str()));
        if (!content.current.empty()) {
            QString name = QString::fromLocal8Bit(content.current.c_str());
            current->setText(name);
            selection_->setText(name);
            auto found = list->findItems(name, Qt::MatchStartsWith);
            if (!found.isEmpty())
                list->setCurrentItem(found.first());
        }
        connect(list, &QListWidget::currentTextChanged, selection_, &QLineEdit::setText);
    }

    std::string selection() const { return selection_->text().toLocal8Bit().toStdString(); }

private:
    QLineEdit* selection_;
};

class NewDatabaseWindow : public QDialog {
public:
    NewDatabaseWindow(QWidget* parent, char* folder) : QDialog(parent), folder_(folder)
    {
        setWindowTitle(NEW_DATABASE_DIALOG);
        auto* layout = new QFormLayout(this);
        name_ = win::withId(new QLineEdit, IDC_DATABASE_NAME);
        name_->setMaxLength(255);
        auto* directory = win::withId(new QLineEdit, IDC_DATABASE_DIRECTORY);
        directory->hide();
        layout->addRow("Name", name_);
        layout->addRow(directory);
        layout->addRow(win::okCancelButtons(this));
        NewDatabaseFields fields = OpenNewDatabaseFields(folder);
        name_->setText(QString::fromLocal8Bit(fields.name.c_str()));
        directory->setText(QString::fromLocal8Bit(fields.directory.c_str()));
    }

    // A refused name keeps the dialog open for another try.
    void accept() override
    {
        std::snprintf(folder_, 256, "%s", name_->text().toLocal8Bit().constData());
        if (DBNameNewDatabase(nullptr, folder_, "DATABASE") == 0)
            done(IDOK);
    }

private:
    char* folder_;
    QLineEdit* name_;
};

} // namespace

namespace {

// The windows need a widget application; without one (a console host) the catalogue's scripted
// path answers. Headless, the platform drives the real window from the scripted answers.
bool haveWidgets() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

} // namespace

const char* RunSelectDatabaseDialog(QWidget* parent)
{
    if (!haveWidgets())
        return DBSelectDatabaseDialog(nullptr);
    SelectDatabaseWindow dialog(parent);
    if (win::execModal(dialog, SELECT_DATABASE_DIALOG) != IDOK)
        return nullptr;
    return ChooseDatabase(dialog.selection());
}

int RunNewDatabaseDialog(QWidget* parent, char* folder)
{
    if (!folder)
        return 0;
    if (!haveWidgets())
        return DBNewDatabaseDialog(nullptr, folder);
    NewDatabaseWindow dialog(parent, folder);
    // A refused name leaves the window open: headless, the next scripted answer is the next try.
    intptr_t result;
    do
        result = win::execModal(dialog, NEW_DATABASE_DIALOG);
    while (result == 0 && win::isHeadless() && win::scripted::dialogQueued(NEW_DATABASE_DIALOG));
    return result == IDOK ? 1 : 2;
}

void InstallDatabaseDialogs()
{
    SetNewDatabaseDialog([](HWND, char* folder) { return RunNewDatabaseDialog(nullptr, folder); });
}
