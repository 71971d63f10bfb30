#include "colours.h"

#include <array>

namespace euro32 {

namespace {

using Rgb = std::array<int, 3>;
constexpr int kCount = static_cast<int>(Colour::Count);

// One row per colour: day, dusk, night. Water shades grow bluer towards the shallows in every
// scheme: by day deep water is lightest, by dusk and night darkest.
constexpr std::array<std::array<Rgb, 3>, kCount> kTable = {{
    {{{163, 180, 183}, {65, 72, 73}, {16, 18, 18}}},     // NoData
    {{{212, 234, 238}, {36, 40, 41}, {0, 0, 0}}},        // BaseSea: as deep water
    {{{220, 205, 150}, {88, 82, 60}, {36, 33, 20}}},     // BaseLand
    {{{201, 185, 122}, {80, 74, 49}, {44, 39, 20}}},     // Land
    {{{82, 90, 92}, {165, 176, 182}, {82, 90, 92}}},     // Coastline
    {{{131, 178, 149}, {52, 71, 60}, {14, 20, 14}}},     // Intertidal
    {{{115, 182, 239}, {52, 86, 122}, {0, 38, 84}}},     // VeryShallow
    {{{152, 197, 242}, {44, 68, 92}, {0, 27, 64}}},      // MediumShallow
    {{{186, 213, 225}, {40, 52, 60}, {0, 16, 42}}},      // MediumDeep
    {{{212, 234, 238}, {36, 40, 41}, {0, 0, 0}}},        // Deep
    {{{125, 137, 140}, {90, 98, 100}, {60, 66, 67}}},    // Contour
    {{{7, 7, 7}, {165, 176, 182}, {110, 118, 121}}},     // SafetyContour
    {{{125, 137, 140}, {110, 120, 122}, {70, 77, 79}}},  // SoundingDeep
    {{{7, 7, 7}, {200, 200, 200}, {120, 120, 120}}},     // SoundingShoal
    {{{7, 7, 7}, {200, 200, 200}, {120, 120, 120}}},     // Black
    {{{241, 84, 105}, {160, 56, 70}, {80, 28, 35}}},     // Red
    {{{104, 228, 86}, {70, 150, 57}, {35, 75, 28}}},     // Green
    {{{244, 218, 72}, {160, 143, 47}, {80, 72, 24}}},    // Yellow
    {{{255, 255, 255}, {170, 170, 170}, {85, 85, 85}}},  // White
    {{{197, 69, 195}, {128, 45, 127}, {100, 36, 98}}},   // Magenta
    {{{125, 137, 140}, {100, 110, 112}, {80, 88, 90}}},  // Grey
}};

} // namespace

QColor colour(Scheme scheme, Colour which)
{
    const Rgb& c = kTable[static_cast<int>(which)][static_cast<int>(scheme)];
    return QColor(c[0], c[1], c[2]);
}

Colour aidColour(int s57Colour)
{
    switch (s57Colour) {
    case 1: return Colour::White;
    case 2: return Colour::Black;
    case 3: return Colour::Red;
    case 4: return Colour::Green;
    case 6: return Colour::Yellow;
    default: return Colour::Magenta;
    }
}

Scheme nextScheme(Scheme s)
{
    return s == Scheme::Day ? Scheme::Dusk : s == Scheme::Dusk ? Scheme::Night : Scheme::Day;
}

const char* schemeName(Scheme s)
{
    return s == Scheme::Day ? "Day" : s == Scheme::Dusk ? "Dusk" : "Night";
}

} // namespace euro32
