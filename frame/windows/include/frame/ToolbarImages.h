// The images of the toolbar strip, drawn by the program: colour swatches for the past-track
// colour button (0 Sedrix classes, 5 depth bands, 6..9 black, red, green, grey), a ruler (1),
// a route (2), range arcs (3) and a tide (4). Button bars use them too.
#pragma once

#include <QPixmap>

QPixmap ToolbarImage(int index, int size = 16);
