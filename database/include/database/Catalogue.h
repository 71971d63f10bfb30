// The catalogue of databases: every database is a folder of the root folder with a user-visible
// name in its "multidb.ini"; the active one is always the folder "database".
#pragma once

#include "platform/windef.h"

#include <string>
#include <vector>

extern "C" {
// 0 when found (folder name copied unless `folder` is null), 1 otherwise.
int DBFindDatabaseFolder(char* folder, const char* name);
// 0 when the folder exists (its name, "UNTITLED" when never named, copied unless null), 1 otherwise.
int DBGetDatabaseName(char* name, const char* folder);
// 0 when the new name was recorded, 1 when refused or failed (the user was told why).
int DBNameNewDatabase(HWND owner, const char* newName, const char* folder);
}

// Dialog titles; headless runs take their answers from the scripted dialog queue by title.
inline constexpr const char* SELECT_DATABASE_DIALOG = "Varnel - Select Database";
inline constexpr const char* NEW_DATABASE_DIALOG = "New Varnel Database: Choose a name";
// Control identifiers of the two dialogs.
enum DatabaseDialogControl {
    IDC_DATABASE_LIST = 1001,
    IDC_CURRENT_DATABASE = 1002,
    IDC_NEW_SELECTION = 1003,
    IDC_DATABASE_NAME = 1004,
    IDC_DATABASE_DIRECTORY = 1005,
};

// The select dialog's content when it opens: the sorted names, and the current database's
// entry (empty when its name could not be found: the user has been told).
struct DatabaseList {
    std::vector<std::string> names;
    std::string current;
};
DatabaseList BuildDatabaseList(HWND owner);
// OK with a name in "New Selection": 0 for the active database or an unknown name, else a
// static buffer holding the chosen database's folder name.
const char* ChooseDatabase(const std::string& selection);
// The select-database dialog; result as ChooseDatabase, 0 when cancelled.
const char* DBSelectDatabaseDialog(HWND owner);

// The new-database dialog's fields when it opens; `folder` is the buffer's content, which for
// "database" becomes its "Directory".
struct NewDatabaseFields {
    std::string name;
    std::string directory;
};
NewDatabaseFields OpenNewDatabaseFields(char* folder);
// 1 when a name was recorded, 2 when cancelled, 0 without a buffer (256 bytes). Runs the
// installed dialog; without one (headless) it takes its answers from the scripted dialog queue,
// and an empty queue cancels.
int DBNewDatabaseDialog(HWND owner, char* folder);
// The window work installs its Qt dialog here; it calls OpenNewDatabaseFields when it opens and
// DBNameNewDatabase(dialog, name, "DATABASE") on OK.
using NewDatabaseDialog = int (*)(HWND owner, char* folder);
void SetNewDatabaseDialog(NewDatabaseDialog dialog);
