// The pen and brush sets indexed by colour number (0..47) that track, class and profile
// drawing select, and the switch between the day and the night palette. A pen holds the colour
// its palette entry has in the palette in force; switching the palette creates every set again.
#pragma once

#include "platform/windef.h"

#include <QBrush>
#include <QColor>
#include <QPen>

extern QPen CurrentTrackPens[48], PastTrackPens[48], ProfilePens[48];
extern QBrush ClassBrushes[48];
// Width of the profile pens; 0 draws them one pixel wide.
extern int profilePenWidth;

// The night table, then every set. Called once at start-up.
bool CreateChartPalette(HWND mainWindow);
// 1: the night colours, 2: the day colours; either way every set is created again.
void SwitchPalette(int mode);
// Follows the chart engine's colour scheme: night when its darkened button face says so.
void UpdateColourScheme(HWND chartWindow);
void RecreateCurrentTrackPens();
void RecreatePastTrackPens();
void RecreateClassBrushes();
void DeleteChartPens();

// The colour of a palette entry in the palette in force, day or night.
QColor PaletteColour(int colourNumber);
