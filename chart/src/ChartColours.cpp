#include "chart/ChartColours.h"
#include "frame/Inifile.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/profile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

const PaletteEntry PaletteColours[PALETTE_COLOURS] = {
    {0, 95, 0},      {0, 127, 0},     {0, 159, 0},     {0, 191, 0},     {0, 223, 0},     {0, 255, 0},
    {159, 0, 0},     {178, 0, 0},     {197, 0, 0},     {217, 0, 0},     {236, 0, 0},     {255, 0, 0},
    {95, 0, 95},     {127, 0, 127},   {159, 0, 159},   {191, 0, 191},   {223, 0, 223},   {255, 0, 255},
    {191, 159, 0},   {204, 178, 0},   {217, 197, 0},   {229, 217, 0},   {242, 236, 0},   {255, 255, 0},
    {191, 64, 0},    {204, 83, 0},    {217, 102, 0},   {229, 122, 0},   {242, 141, 0},   {255, 160, 0},
    {0, 0, 0},       {255, 255, 255}, {128, 128, 128}, {160, 160, 164}, {192, 192, 192},
    {255, 0, 0},     {217, 0, 0},     {178, 0, 0},     {255, 255, 0},   {229, 217, 0},   {204, 178, 0},
    {0, 255, 0},     {0, 191, 0},     {0, 127, 0},     {0, 0, 255},     {0, 0, 191},     {0, 0, 127},
    {0, 127, 255}};

PaletteEntry NightColours[PALETTE_COLOURS] = {};
bool NightScheme = false;
float colourByDepth[2] = {5.0f, 1.0f};

bool ReadNightFactor(double* factor)
{
    char text[64] = "";
    GetPrivateProfileStringA("OTHER", "SNIGHT", "", text, sizeof text, ".\\chart.ini");
    if (!text[0]) {
        MessageBoxA(nullptr, "Can't Read chart.ini file", "Varnel System Manager", MB_OK);
        return false;
    }
    *factor = std::atof(text);
    return true;
}

void ComputeNightColours()
{
    double factor = 0;
    if (!ReadNightFactor(&factor))
        return;
    // A factor above 1 would brighten past white: components stay within 0..255.
    auto dim = [factor](uint8_t c) { return uint8_t(std::clamp(std::trunc(c * factor), 0.0, 255.0)); };
    for (int i = 0; i < PALETTE_COLOURS; ++i) {
        const PaletteEntry& day = PaletteColours[i];
        NightColours[i] = {dim(day.red), dim(day.green), dim(day.blue)};
    }
}

int TrackPenColour(int colouredByClass, int colourChoice, int colourNumber)
{
    if (colouredByClass)
        return colourNumber;
    switch (colourChoice) {
    case 1: return 11;
    case 2: return 5;
    case 3: return 34;
    case 5: return colourNumber;
    default: return 30;
    }
}

void LoadDepthColours() { LoadColourByDepth(colourByDepth); }

int DepthColour(float depth)
{
    double band = (double(depth) - colourByDepth[0]) / colourByDepth[1];
    // No usable band width (zero, negative, not a number): everything is the first band.
    if (!(colourByDepth[1] > 0.0f) || std::isnan(band))
        return FIRST_DEPTH_COLOUR;
    band = std::clamp(std::trunc(band), 0.0, double(LAST_DEPTH_COLOUR - FIRST_DEPTH_COLOUR));
    return FIRST_DEPTH_COLOUR + int(band);
}

int WriteInterpolLevelFile()
{
    win::mkdir("C:\\VARNEL3D");
    win::mkdir("C:\\VARNEL3D\\lvl");
    FILE* file = win::fopen("C:\\VARNEL3D\\lvl\\interpol.lvl", "w");
    if (!file)
        return 1;
    std::fputs("LVL2\n", file);
    std::fputs("'Level Flags LColor LStyle LWidth FFGColor FBGColor FPattern FMode\n", file);
    const PaletteEntry* colours = NightScheme ? NightColours : PaletteColours;
    for (int i = 0; i < LAST_DEPTH_COLOUR + 1; ++i)
        std::fprintf(file, "%02d 0 \"Black\" \"Invisible\" 0 \"R%03dG%03dB%03d\" \"White\" \"Solid\" 2\n", i,
                     colours[i].red, colours[i].green, colours[i].blue);
    return std::fclose(file) == 0 ? 0 : 1;
}
