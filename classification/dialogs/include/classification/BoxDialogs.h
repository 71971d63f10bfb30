// The box editor's dialogs over the loaded box: the ranges, naming a class, deleting a seabed
// type name, entering a new one, and the box-file open and save dialogs.
#pragma once

#include "classification/BoxFile.h"
#include "platform/windef.h"

// Modeless dialogs owned by the classification window (owner); each posts its notifications
// (classification/SedrixNotifications.h) to record->ownerWindow (to owner while the record has
// none). There is one of each: showing it again brings the open one forward. The handle, or
// null when it could not be made. Destroying the owner destroys them.
HWND ShowScalesDialog(HWND owner, BoxFile* record);     // "SCALESDIALOG"
HWND ShowBottomDialog(HWND owner, BoxFile* record);     // "BOTTOMDIALOG"
HWND ShowDeleteTypeDialog(HWND owner, BoxFile* record); // "DELTYPEDIALOG"
// "Add Seabed Type": a text entry of at most 20 characters; OK sends WM_SEDRIX_TYPE_ENTERED
// with the name to owner, Cancel sends nothing. A blank entry sends nothing; a 20-character
// entry is cut to the 19 characters a type name holds.
void AskForTypeName(HWND owner);

// The open-file dialog over "c:\varnel\BoxFiles", then LoadBoxFile; 0 when cancelled. The
// caller posts the refresh to the classification window after a load.
int ChooseAndLoadBoxFile(HWND owner, BoxFile* record);
// The save-file dialog, then SaveBoxFile; 0 saved, non-zero not saved (cancelled or failed).
int ChooseAndSaveBoxFile(HWND owner, BoxFile* record);
constexpr int BOXFILE_NOT_CHOSEN = 1; // cancelled, or a file outside the program's drives

// Control identifiers (the object names of the controls).
// "SCALESDIALOG": the spin bars, and the values shown beside them with "%5.3f".
constexpr int IDC_E1MAX_SPIN = 1001;
constexpr int IDC_E1MIN_SPIN = 1002;
constexpr int IDC_E2MAX_SPIN = 1003;
constexpr int IDC_E2MIN_SPIN = 1004;
constexpr int IDC_E1MAX_VALUE = 1011;
constexpr int IDC_E1MIN_VALUE = 1012;
constexpr int IDC_E2MAX_VALUE = 1013;
constexpr int IDC_E2MIN_VALUE = 1014;
// "BOTTOMDIALOG" and "DELTYPEDIALOG": the drop-down list of type names.
constexpr int IDC_TYPE_LIST = 1020;
// "Add Seabed Type": the text entry.
constexpr int IDC_TYPE_NAME = 1030;
// The file dialogs' name field. Run headless, a script names the chosen file by it: a bare
// name lies in "c:\varnel\BoxFiles", a drive path is taken as it is, a host path ("/...") is
// mapped onto the drives as a file chosen on the screen is.
constexpr int IDC_FILE_NAME = 1152;
constexpr char LOAD_BOXFILE_TITLE[] = "Load Sedrix Box File";
constexpr char SAVE_BOXFILE_TITLE[] = "Save Sedrix Box File";
