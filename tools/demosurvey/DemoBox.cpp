#include "DemoBox.h"

#include "platform/files.h"

#include <cmath>
#include <cstdio>

namespace {

// Both axes run from 0 to 2 V: every echo of the demo area lies well inside.
constexpr float VOLTS_MAX = 2.0f;
// Cells further than this (volts) from every kind's mean echo stay unclassified, as a surveyor
// leaves the empty parts of a box.
constexpr double KIND_RADIUS = 0.3;

// The kind whose mean echo lies nearest to (e1, e2) within KIND_RADIUS; class 30 when none does.
uint16_t ClassNear(double e1, double e2)
{
    uint16_t nearestClass = COLOUR_UNCLASSIFIED;
    double nearest = KIND_RADIUS;
    for (seabed::SeabedKind kind : seabed::kSeabedKinds) {
        const seabed::Echo mean = seabed::meanEcho(kind);
        const double distance = std::hypot(e1 - mean.e1, e2 - mean.e2);
        if (distance <= nearest) {
            nearest = distance;
            nearestClass = uint16_t(DemoClass(kind));
        }
    }
    return nearestClass;
}

} // namespace

int DemoClass(seabed::SeabedKind kind)
{
    // Brightest of the green, yellow, orange and magenta ramps.
    switch (kind) {
    case seabed::SeabedKind::Sand: return 5;
    case seabed::SeabedKind::Gravel: return 23;
    case seabed::SeabedKind::MuddySand: return 29;
    case seabed::SeabedKind::Mud: return 17;
    }
    return COLOUR_UNCLASSIFIED;
}

void FillDemoBox(BoxFile* box)
{
    FillDefaultBox(box);
    box->e1Max = box->e2Max = VOLTS_MAX;
    for (seabed::SeabedKind kind : seabed::kSeabedKinds) {
        std::snprintf(box->classNames[DemoClass(kind)], BOX_NAME_SIZE, "%s", seabed::seabedKindName(kind));
        AddTypeName(box, seabed::seabedKindName(kind));
    }
    // Each cell takes the class of its centre: column along E2 from the minimum, row along E1
    // down from the maximum.
    const double e2Cell = (box->e2Max - box->e2Min) / BOX_CELLS;
    const double e1Cell = (box->e1Max - box->e1Min) / BOX_CELLS;
    for (int column = 0; column < BOX_CELLS; ++column)
        for (int row = 0; row < BOX_CELLS; ++row)
            box->grid[column][row] = ClassNear(box->e1Max - (row + 0.5) * e1Cell, box->e2Min + (column + 0.5) * e2Cell);
    box->currentClass = uint16_t(DemoClass(seabed::SeabedKind::Sand));
}

bool SaveDemoBox(const BoxFile& box)
{
    win::mkdir("c:\\varnel\\BoxFiles");
    if (SaveBoxFile(DEMO_BOX_PATH, nullptr, &box) != 0)
        return false;
    // Loading it back is how the program chooses a box: the setting then names the file as the
    // start-up load looks for it.
    BoxFile loaded;
    return LoadBoxFile(DEMO_BOX_PATH, nullptr, &loaded, 0) == 1;
}
