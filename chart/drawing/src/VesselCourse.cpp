#include "VesselCourse.h"

#include <cmath>

namespace {

struct Fix {
    int32_t lat;
    int32_t lon;
};
Fix fixes[2];
int fixCount = 0;

} // namespace

void NoteVesselFix(int32_t lat, int32_t lon)
{
    if (fixCount > 0 && fixes[1].lat == lat && fixes[1].lon == lon)
        return;
    fixes[0] = fixes[1];
    fixes[1] = {lat, lon};
    if (fixCount < 2)
        ++fixCount;
}

float CourseFromFixes()
{
    if (fixCount < 2)
        return -1.0f;
    // Over the few metres between fixes the earth is flat: east is shortened by the latitude.
    const double midLat = (double(fixes[0].lat) + fixes[1].lat) / 2 * 1e-7 * M_PI / 180;
    const double north = double(fixes[1].lat) - fixes[0].lat;
    const double east = (double(fixes[1].lon) - fixes[0].lon) * std::cos(midLat);
    double course = std::atan2(east, north) * 180 / M_PI;
    if (course < 0)
        course += 360;
    return float(course);
}

void ForgetVesselFixes()
{
    fixCount = 0;
}
