// The catalogue's two dialogs as windows: choosing a database and naming a new one.
#pragma once

class QWidget;

// The chosen database's folder (a static buffer), or null for the active one or a cancel.
const char* RunSelectDatabaseDialog(QWidget* parent);
// 1 when a name was recorded, 2 when cancelled, 0 without a buffer (256 bytes, "database").
int RunNewDatabaseDialog(QWidget* parent, char* folder);
// Makes the database's start-up and the "Turn Saving OFF" dialog use these windows.
void InstallDatabaseDialogs();
