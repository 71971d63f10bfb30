// The box editor's buttons that reach the box files and the dialogs: save, load, ranges,
// analysis, naming a class, adding and deleting seabed type names.
#include "SedrixState.h"

#include "classification/AnalysisWindow.h"
#include "classification/BoxDialogs.h"
#include "classification/SedrixNotifications.h"
#include "classification/SedrixWindow.h"
#include "platform/messages.h"

namespace {

using DialogOpener = HWND (*)(HWND, BoxFile*);

// Each dialog is open once at most.
void openOnce(HWND& dialog, DialogOpener open, HWND window)
{
    if (!IsWindow(dialog))
        dialog = open(window, &boxFile);
}

void saveBox(HWND window)
{
    if (ChooseAndSaveBoxFile(window, &boxFile) == 0)
        sedrix.modified = false;
    InvalidateRect(window, nullptr, TRUE);
    RepaintGrid();
}

void loadBox(HWND window)
{
    if (sedrix.modified && MessageBoxA(window, "Do you want to save the current boxfile?", "Varnel System Manager",
                                       MB_YESNO | MB_ICONQUESTION) == IDYES)
        saveBox(window);
    if (ChooseAndLoadBoxFile(window, &boxFile))
        PostMessageA(window, WM_SEDRIX_REFRESH, 0, 0);
}

void addTypeName(HWND window)
{
    if (boxFile.typeCount >= BOX_TYPE_NAMES) {
        MessageBoxA(window, "The Seabed type list is full", "Varnel System Manager", MB_ICONINFORMATION);
        return;
    }
    AskForTypeName(window);
}

} // namespace

void SedrixEditorCommand(HWND window, int id)
{
    switch (id) {
    case IDC_SEDRIX_SAVE: saveBox(window); break;
    case IDC_SEDRIX_LOAD: loadBox(window); break;
    case IDC_SEDRIX_SCALES: openOnce(sedrix.scalesDialog, ShowScalesDialog, window); break;
    case IDC_SEDRIX_ANALYSIS:
        if (!IsWindow(hwndAnalysis))
            ShowAnalysisWindow(window);
        break;
    case IDC_SEDRIX_SELECT_TEXT: openOnce(sedrix.bottomDialog, ShowBottomDialog, window); break;
    case IDC_SEDRIX_ADD: addTypeName(window); break;
    case IDC_SEDRIX_DEL: openOnce(sedrix.deleteTypeDialog, ShowDeleteTypeDialog, window); break;
    default: break;
    }
}

void CloseEditorDialog(HWND dialog)
{
    // The analysis window opens the ranges dialog too: whoever opened it, it is done.
    if (IsWindow(dialog))
        DestroyWindow(dialog);
    for (HWND* open : {&sedrix.scalesDialog, &sedrix.bottomDialog, &sedrix.deleteTypeDialog})
        if (*open == dialog)
            *open = nullptr;
}

void CloseEditorDialogs()
{
    for (HWND dialog : {sedrix.scalesDialog, sedrix.bottomDialog, sedrix.deleteTypeDialog})
        if (dialog)
            CloseEditorDialog(dialog);
}
