// Drawing the survey over the chart: the current track held per beam slot in display rings,
// the selected past track, every stored track of the chosen databases and their outlines, and
// the re-colouring of points whenever the box file changes. "dc" is a painter on the chart
// window's images; positions become pixels through the engine's chart window (chartSurface).
#pragma once

#include "classification/BoxFile.h"
#include "platform/windef.h"
#include "records/TrackRecords.h"

#include <QImage>

#include <string>
#include <vector>

class QPainter;

// What track drawing shares with the chart window that shows it.
struct ChartSurface {
    // The engine's chart window the chart window shows: every position <-> pixel conversion
    // goes through it, and its client rectangle is the chart window's.
    HWND engineWindow = nullptr;
    // What the chart window shows: the painting source (chart, stored tracks, outlines) with
    // the live layers drawn on. OnNewReading draws its new segments into it and invalidates
    // their rectangle of the chart window.
    QImage screen;
    // The position under the mouse cursor while it is over the chart, else the no-position
    // marker; the chart window keeps it for the view hand-off file.
    int32_t cursorLat = NO_POSITION_LAT;
    int32_t cursorLon = NO_POSITION_LONG;
};
extern ChartSurface chartSurface;

// Display settings of the track options.
extern int32_t afShowTransducer[BEAM_SLOTS];
extern int32_t plotDensity; // percent, 1..100

// Start-up settings of the incoming data: "c:\varnel\heading.ini" (non-zero: a compass gives
// the heading; 0 when the module has no GetTrackHeading) and "c:\varnel\freq.ini" (the unit
// clock frequency in Hz that turns travel times into depths).
extern int32_t headingSetting;
extern long sounderFrequency;

// The databases whose stored tracks are drawn: folder names in the root folder, the active
// database "database" alone unless chosen otherwise.
void SetDatabasesToShow(std::vector<std::string> folders);

// Runs on every chart timer tick: takes the module's newest data and draws it. 1 when it was
// already running, else 0.
int OnNewReading(HWND chartWindow);
void RedrawCurrentTrack(HWND chartWindow, QPainter& dc);
void DrawSelectedPastTrack(HWND chartWindow, QPainter& dc);
// 1 when interrupted (or no handle), else 0.
int DrawTrack(QPainter& dc, const RECT& clientRect, TrackInfo* trackInfo, int step, HWND chartWindow,
              const char* databaseFolder);
// 0 when done, 1 when interrupted or zoomed out too far, 2 when a database could not be selected.
int RedrawPastTracksToBitmap(HWND chartWindow, QPainter& dc);
void RedrawAllPastTracks(HWND chartWindow, QPainter& dc);

int32_t BoxSignature(const BoxFile& box);
int ReanalyseCurrentTrackArray(int slot, const BoxFile& box);
int ReanalyseTrackOnDisc2(const BoxFile& box, TrackInfo* trackInfo, const char* databaseFolder);
int ReanalyseTrackOnDiscAt(const BoxFile& box, TrackInfo* trackInfo, const char* databaseFolder);
// Makes storing the current track re-colour every stored track for the loaded box.
void InstallStoredTrackReanalysis();

// Empties the display rings and forgets the course made good (a replay that jumps back, a new
// survey).
void ClearCurrentTrackRings();
// The next point of every slot is not joined to the newest one (a replay that jumped).
void BreakCurrentTrackLines();
