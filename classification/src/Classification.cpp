// Classifying points by the loaded box: a point's E1 and E2 pick a cell of the 32 x 32 grid, whose
// colour becomes its class; and the pixel of an E1, E2 pair in the classification window.
#include "classification/BoxFile.h"

BoxFile boxFile;

namespace {

// The cell of a value along one axis, or -1 outside. A value on the upper bound belongs to the
// last cell: the grid is never read outside its 32 cells.
int cellOf(float value, float low, float high, bool fromHigh)
{
    if (!(value <= high) || !(value >= low) || !(high > low))
        return -1;
    double span = double(high) - double(low);
    double offset = fromHigh ? double(high) - value : value - double(low);
    int cell = int(offset * BOX_CELLS / span);
    return cell < BOX_CELLS ? cell : BOX_CELLS - 1;
}

// Both point records hold e1, e2 and colour at the same places.
int classify(BoxFile* record, float e1, float e2, int16_t& colour)
{
    int row = cellOf(e1, record->e1Min, record->e1Max, true);
    int column = row < 0 ? -1 : cellOf(e2, record->e2Min, record->e2Max, false);
    if (row < 0 || column < 0) {
        record->lastColumn = -1;
        record->lastClass = -1;
        colour = COLOUR_UNCLASSIFIED;
        return 1;
    }
    record->lastColumn = int16_t(column);
    record->lastRow = int16_t(row);
    // A cell of a damaged box file may hold any number; only palette colours are classes (a
    // value such as 0xFFFF would otherwise mark the point erased).
    uint16_t cell = record->grid[column][row];
    record->lastClass = int16_t(cell <= COLOUR_NO_CLASSIFICATION ? cell : COLOUR_UNCLASSIFIED);
    colour = record->lastClass;
    return 0;
}

} // namespace

int ClassifyReading(BoxFile* record, TrackPoint* point) { return classify(record, point->e1, point->e2, point->colour); }
int ClassifyReading(BoxFile* record, SwathReading* point) { return classify(record, point->e1, point->e2, point->colour); }

extern "C" int SetupTrackPointColour(SwathReading* reading) { return ClassifyReading(&boxFile, reading); }

POINT BoxToPixel(float e1, float e2, const BoxFile* r, int cellSize)
{
    if (!(e2 >= r->e2Min && e2 <= r->e2Max && e1 >= r->e1Min && e1 <= r->e1Max) || !(r->e2Max > r->e2Min) ||
        !(r->e1Max > r->e1Min))
        return POINT{-1, -1};
    int size = BOX_CELLS * cellSize;
    LONG x = LONG((e2 - r->e2Min) / (r->e2Max - r->e2Min) * size);
    LONG y = size - LONG((e1 - r->e1Min) / (r->e1Max - r->e1Min) * size);
    return POINT{x, y};
}
