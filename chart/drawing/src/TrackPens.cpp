#include "chart/TrackPens.h"

#include "chart/ChartColours.h"
#include "database/CurrentTrack.h"
#include "platform/winuser.h"

QPen CurrentTrackPens[PALETTE_COLOURS], PastTrackPens[PALETTE_COLOURS], ProfilePens[PALETTE_COLOURS];
QBrush ClassBrushes[PALETTE_COLOURS];
int profilePenWidth = 0;

namespace {

// The table the palette shows now; SwitchPalette changes it.
const PaletteEntry* paletteInForce = PaletteColours;

// Wide track pens end and join round, as a geometric pen does.
QPen SolidPen(int colourNumber, int width)
{
    return QPen(PaletteColour(colourNumber), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void CreateTrackPens(QPen (&pens)[PALETTE_COLOURS], int byClassField, int colourField, int widthField)
{
    const TrackStatus& status = globaltrackstatus;
    for (int i = 0; i < PALETTE_COLOURS; ++i)
        pens[i] = SolidPen(TrackPenColour(status.field[byClassField], status.field[colourField], i),
                           status.field[widthField]);
}

void CreateProfilePens()
{
    for (int i = 0; i < PALETTE_COLOURS; ++i)
        ProfilePens[i] = SolidPen(i, profilePenWidth);
}

template <typename T> void Clear(T (&set)[PALETTE_COLOURS])
{
    for (T& item : set)
        item = T();
}

} // namespace

QColor PaletteColour(int colourNumber)
{
    if (colourNumber < 0 || colourNumber >= PALETTE_COLOURS)
        return Qt::black;
    const PaletteEntry& entry = paletteInForce[colourNumber];
    return QColor(entry.red, entry.green, entry.blue);
}

void RecreateCurrentTrackPens()
{
    CreateTrackPens(CurrentTrackPens, TS_CURRENT_BY_CLASS, TS_CURRENT_COLOUR, TS_CURRENT_PEN_WIDTH);
}

void RecreatePastTrackPens()
{
    CreateTrackPens(PastTrackPens, TS_PAST_BY_CLASS, TS_PAST_COLOUR, TS_PAST_PEN_WIDTH);
}

void RecreateClassBrushes()
{
    for (int i = 0; i < PALETTE_COLOURS; ++i)
        ClassBrushes[i] = QBrush(PaletteColour(i));
}

void DeleteChartPens()
{
    Clear(CurrentTrackPens);
    Clear(PastTrackPens);
    Clear(ProfilePens);
    Clear(ClassBrushes);
}

bool CreateChartPalette(HWND)
{
    ComputeNightColours();
    RecreateClassBrushes();
    RecreateCurrentTrackPens();
    RecreatePastTrackPens();
    CreateProfilePens();
    return true;
}

void SwitchPalette(int mode)
{
    if (mode == 1)
        paletteInForce = NightColours;
    else if (mode == 2)
        paletteInForce = PaletteColours;
    RecreateClassBrushes();
    RecreateCurrentTrackPens();
    RecreatePastTrackPens();
    CreateProfilePens();
}

void UpdateColourScheme(HWND chartWindow)
{
    double factor = 0;
    bool night = ReadNightFactor(&factor) && 192.0 * factor * 1.05 >= GetRValue(GetSysColor(COLOR_3DFACE));
    NightScheme = night;
    SwitchPalette(night ? 1 : 2);
    WriteInterpolLevelFile();
    InvalidateRect(chartWindow, nullptr, TRUE);
}
