// Switching the raw data log on and off with the saving switch, and choosing its file.
#include "recording/RawLog.h"
#include "RawLogFile.h"
#include "recording/VesselState.h"
#include "frame/Inifile.h"
#include "platform/files.h"
#include "platform/gui.h"
#include "platform/messages.h"

#include <QFileDialog>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>
#include <strings.h>

namespace {

char rawLogName[256] = "";

constexpr char DIALOG_TITLE[] = "Select Raw Logging File";
constexpr int IDC_FILE_NAME = 1152; // the file name field of the save-file dialog

bool loggingOff() { return strcasecmp(rawLogName, "nul") == 0; }

void keepName(const std::string& name) { std::snprintf(rawLogName, sizeof rawLogName, "%s", name.c_str()); }

// The save-file dialog on the screen: asks before overwriting, needs an existing folder.
void askOnScreen(HWND owner)
{
    QFileDialog dialog(win::widgetOf(owner), DIALOG_TITLE);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter("Text Files (*.txt)");
    dialog.setDefaultSuffix("txt");
    auto current = win::HostPath(rawLogName[0] ? rawLogName : "c:\\varnel\\");
    std::error_code error;
    if (current && std::filesystem::is_directory(current->parent_path(), error)) {
        dialog.setDirectory(QString::fromStdString(current->parent_path().string()));
        dialog.selectFile(QString::fromStdString(current->filename().string()));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    std::string chosen = dialog.selectedFiles().first().toStdString();
    if (auto path = win::DrivePathOf(chosen)) {
        keepName(*path);
        return;
    }
    std::string text = "\"" + chosen + "\" lies on none of the program's drives; the raw log stays \"" +
                       rawLogName + "\".";
    MessageBeep(MB_ICONEXCLAMATION);
    MessageBoxA(owner, text.c_str(), DIALOG_TITLE, MB_ICONEXCLAMATION);
}

// A chosen name replaces the one held; a cancelled dialog keeps it.
void chooseLogFile(HWND owner)
{
    if (!win::isHeadless()) {
        askOnScreen(owner);
        return;
    }
    auto answer = win::scripted::takeDialog(DIALOG_TITLE);
    if (!answer || answer->code != IDOK)
        return;
    auto name = answer->controls.find(IDC_FILE_NAME);
    if (name != answer->controls.end() && !name->second.empty())
        keepName(name->second);
}

} // namespace

int RawLogSwitch(HWND window, int on)
{
    if (on) {
        if (rawLogFile)
            return 1;
        GetVarnelProfileString("Files", "CurrentRawLog", rawLogName);
        if (loggingOff())
            return 0;
        chooseLogFile(window);
        rawLogFile = win::fopen(rawLogName, "w");
        if (!rawLogFile)
            return errno;
        rawLogReading = &lastSlotPoints[0];
        return 0;
    }
    if (loggingOff())
        return 0;
    if (!rawLogFile)
        return 1;
    WriteVarnelProfileString("Files", "CurrentRawLog", rawLogName);
    std::fclose(rawLogFile);
    rawLogFile = nullptr;
    return 0;
}
