// The box-file open and save dialogs: a file chosen in "c:\varnel\BoxFiles" or elsewhere on the
// program's drives, then loaded or saved.
#include "BoxDialogWindow.h"
#include "classification/BoxDialogs.h"
#include "frame/Inifile.h"
#include "platform/files.h"
#include "platform/gui.h"
#include "platform/messages.h"

#include <QFileDialog>

#include <filesystem>
#include <optional>
#include <string>

namespace {

constexpr char BOX_FOLDER[] = "c:\\varnel\\BoxFiles";
constexpr char PROGRAM_FOLDER[] = "c:\\varnel";

// Whatever the dialog or the save did to it, the current directory is the program folder after.
struct ProgramFolderAfter {
    ~ProgramFolderAfter() { win::SetCurrentDirectory(PROGRAM_FOLDER); }
};

std::optional<std::string> refuseOutsideDrives(HWND owner, const std::string& chosen, const char* title)
{
    std::string text = "\"" + chosen + "\" lies on none of the program's drives; choose a box file on one of them.";
    MessageBeep(MB_ICONEXCLAMATION);
    MessageBoxA(owner, text.c_str(), title, MB_ICONEXCLAMATION);
    return std::nullopt;
}

// A host path ("/...") as a file dialog gives it, mapped onto the drives.
std::optional<std::string> drivePathOfHost(HWND owner, const std::string& chosen, const char* title)
{
    if (auto path = win::DrivePathOf(chosen))
        return path;
    return refuseOutsideDrives(owner, chosen, title);
}

// A script's name: a host path, a drive path, or a bare name in the box-file folder.
std::optional<std::string> scriptedChoice(HWND owner, const char* title)
{
    auto answer = win::scripted::takeDialog(title);
    if (!answer || answer->code != IDOK)
        return std::nullopt;
    auto name = answer->controls.find(IDC_FILE_NAME);
    if (name == answer->controls.end() || name->second.empty())
        return std::nullopt;
    const std::string& chosen = name->second;
    if (chosen.front() == '/')
        return drivePathOfHost(owner, chosen, title);
    if (chosen.size() > 1 && chosen[1] == ':')
        return chosen;
    return std::string(BOX_FOLDER) + "\\" + chosen;
}

std::optional<std::string> choiceOnScreen(HWND owner, const char* title, bool save)
{
    QFileDialog dialog(topWidgetOf(owner), title);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // Saving the box again under its own name is the usual case: no question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilter("Boxfiles (*.box)");
    dialog.setDefaultSuffix("box");
    win::mkdir(BOX_FOLDER);
    if (auto folder = win::HostPath(BOX_FOLDER)) {
        dialog.setDirectory(QString::fromStdString(folder->string()));
        dialog.selectFile(QString::fromLatin1(boxFileNames[nBoxFileSlot & 1]));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return drivePathOfHost(owner, dialog.selectedFiles().first().toStdString(), title);
}

// The drive path of the chosen file, or nothing when cancelled or refused.
std::optional<std::string> chooseBoxFile(HWND owner, const char* title, bool save)
{
    return win::isHeadless() ? scriptedChoice(owner, title) : choiceOnScreen(owner, title, save);
}

} // namespace

int ChooseAndLoadBoxFile(HWND owner, BoxFile* record)
{
    ProgramFolderAfter restore;
    auto path = chooseBoxFile(owner, LOAD_BOXFILE_TITLE, false);
    return path ? LoadBoxFile(path->c_str(), owner, record, 0) : 0;
}

int ChooseAndSaveBoxFile(HWND owner, BoxFile* record)
{
    ProgramFolderAfter restore;
    auto path = chooseBoxFile(owner, SAVE_BOXFILE_TITLE, true);
    if (!path)
        return BOXFILE_NOT_CHOSEN;
    size_t slash = path->rfind('\\');
    std::string folder = path->substr(0, slash);
    std::string title = path->substr(slash + 1);
    // A dot in a folder's name is no extension.
    if (title.find('.') == std::string::npos)
        title += ".box";
    // Saved by its title from its folder, so that the slot keeps the bare name.
    if (!win::SetCurrentDirectory(folder.size() == 2 ? folder + "\\" : folder))
        return SaveBoxFile((folder + "\\" + title).c_str(), owner, record);
    return SaveBoxFile(title.c_str(), owner, record);
}
