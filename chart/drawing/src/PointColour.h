// Which pen of a set draws a point.
#pragma once

#include "chart/ChartColours.h"
#include "records/TrackRecords.h"

// Colouring by depth: a set that is not coloured by class and whose colour choice is depth.
inline bool DepthColouring(int colouredByClass, int colourChoice)
{
    return colouredByClass == 0 && colourChoice == 5;
}

// The pen entry of a point: its depth band when colouring by depth (a reading without
// classification keeps its own colour), else its colour number; -1 when it is not drawn.
inline int PenOfPoint(const TrackPoint& point, bool depthColouring)
{
    const int colour = point.colour;
    if (colour < 0 || colour >= PALETTE_COLOURS)
        return -1;
    if (depthColouring && colour != COLOUR_NO_CLASSIFICATION)
        return DepthColour(point.depth);
    return colour;
}
