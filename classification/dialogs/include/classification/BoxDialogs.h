// The box editor's dialogs over the loaded box: the ranges, naming a class, deleting a seabed
// type name, entering a new one, and the box-file open and save dialogs.
#pragma once

#include "classification/BoxFile.h"
#include "platform/windef.h"

// Modeless dialogs owned by the classification window (owner); each posts its notifications
// (classification/SedrixNotifications.h) to record->ownerWindow. The handle, or null when it
// could not be made.
HWND ShowScalesDialog(HWND owner, BoxFile* record);     // "SCALESDIALOG"
HWND ShowBottomDialog(HWND owner, BoxFile* record);     // "BOTTOMDIALOG"
HWND ShowDeleteTypeDialog(HWND owner, BoxFile* record); // "DELTYPEDIALOG"
// "Add Seabed Type": a text entry of at most 20 characters; OK sends WM_SEDRIX_TYPE_ENTERED
// with the name to owner, Cancel sends nothing.
void AskForTypeName(HWND owner);

// The open-file dialog over "c:\varnel\BoxFiles", then LoadBoxFile; 0 when cancelled.
int ChooseAndLoadBoxFile(HWND owner, BoxFile* record);
// The save-file dialog, then SaveBoxFile; 0 saved, non-zero not saved (cancelled or failed).
int ChooseAndSaveBoxFile(HWND owner, BoxFile* record);
