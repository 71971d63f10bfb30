// The engine's colour tables, after the S-52 presentation colours, for day, dusk and night.
#pragma once

#include <QColor>

namespace euro32 {

enum class Scheme { Day = 0, Dusk = 1, Night = 2 };

enum class Colour {
    NoData,        // outside every chart
    BaseSea,       // sea of the world base map
    BaseLand,      // land of the world base map
    Land,          // LANDA
    Coastline,     // CSTLN
    Intertidal,    // DEPIT
    VeryShallow,   // DEPVS: shallower than the shallow contour
    MediumShallow, // DEPMS: shallower than the safety contour
    MediumDeep,    // DEPMD: shallower than the deep contour
    Deep,          // DEPDW
    Contour,       // DEPCN
    SafetyContour, // DEPSC
    SoundingDeep,  // SNDG1: deeper than the safety depth
    SoundingShoal, // SNDG2: at or above the safety depth
    Black,         // CHBLK: symbols, text
    Red,           // CHRED
    Green,         // CHGRN
    Yellow,        // CHYLW
    White,         // CHWHT
    Magenta,       // CHMGD: lights, dangers
    Grey,          // CHGRD: grid, coverage
    Count
};

QColor colour(Scheme scheme, Colour which);
// The colour of an aid to navigation from its S-57 COLOUR code.
Colour aidColour(int s57Colour);
Scheme nextScheme(Scheme s);
const char* schemeName(Scheme s);

} // namespace euro32
