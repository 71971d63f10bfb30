// The main program: its entry, the full-screen main window whose creation initialises the
// program, the message loop and the shutdown.
#pragma once

#include "platform/windef.h"

#include <cstdint>
#include <string>

// What the command line and the settings choose.
struct ProgramOptions {
    std::string module = "Sonkel32r"; // "--module NAME", or [Program] Module= in VARNEL.INI
    int startupWaitMs = 5000;          // "--startup-wait MS": how long the start-up picture shows
    bool play = false;                 // "--play": start replaying at once
    bool autoScroll = false;           // "--autoscroll": follow the vessel from the start
    std::string grabFile;              // "--grab FILE": save a picture of the main window ...
    int grabAfterMs = 0;               // "--after SECONDS": ... this long after start-up, then quit
    bool blankCharts = false;          // "/b": the chart engine starts blank
    std::string error;                 // a command line that could not be read
};
ProgramOptions ParseProgramOptions(int argc, char** argv);
extern ProgramOptions programOptions;

extern HWND hwndMain;
extern char szVarnelCaption[31];
extern char szTitle[260];

// The entry: 0 when start-up is refused, negative when a window cannot be created, else the
// quit code. Runs on the thread of the QApplication.
int VarnelMain(const ProgramOptions& options);

int InitialiseVarnel(HWND mainWindow);
void DeleteGlobalObjects();
// 1 when a quit is waiting.
int PumpPendingMessages(int restoreCursor);
// 1 when the user accepted the conditions of use.
int ShowDisclaimer(HWND chartWindow);
LRESULT MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
