// The 48 colour numbers of every track and class colour: the day table, the night table, the
// track pen colour rule, the depth bands and the level file of the 3D export.
#pragma once

#include <cstdint>

constexpr int PALETTE_COLOURS = 48;
constexpr int FIRST_DEPTH_COLOUR = 35;
constexpr int LAST_DEPTH_COLOUR = 46;

struct PaletteEntry {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};

extern const PaletteEntry PaletteColours[PALETTE_COLOURS];
extern PaletteEntry NightColours[PALETTE_COLOURS];
extern bool NightScheme;

// "SNIGHT" of section "OTHER" in ".\chart.ini"; false (after telling the user) when missing.
bool ReadNightFactor(double* factor);
// Builds the night table from the day table; it stays black without a night factor.
void ComputeNightColours();

// The palette colour of pen `colourNumber` of a track pen set, from the set's coloured-by-class
// and colour-choice status fields.
int TrackPenColour(int colouredByClass, int colourChoice, int colourNumber);

// Top of the first band and band width, metres ("ColourByDepthInf").
extern float colourByDepth[2];
void LoadDepthColours();
int DepthColour(float depth);

// "C:\VARNEL3D\lvl\interpol.lvl" from the colours in force. 0, or 1 on failure.
int WriteInterpolLevelFile();
