#include "ViewHandOff.h"

#include "chart/TrackDrawing.h"
#include "platform/files.h"
#include "recording/VesselState.h"

#include <cstdio>

namespace {

#pragma pack(push, 1)
struct ViewHandOff {
    int32_t north;
    int32_t west;
    int32_t south;
    int32_t east;
    int32_t vesselLat;
    int32_t vesselLon;
    int32_t cursorLat;
    int32_t cursorLon;
    int16_t heading;
};
#pragma pack(pop)
static_assert(sizeof(ViewHandOff) == 34);

int32_t Limit(int32_t value, int32_t beyond)
{
    if (value > beyond)
        return beyond - 1;
    if (value < -beyond)
        return -(beyond - 1);
    return value;
}

} // namespace

void WriteViewHandOffFile(const RECT& view)
{
    if (win::access("c:\\varnel\\~kcin.ini", 0) == 0)
        return;
    const ViewHandOff record{Limit(view.top, 900000000),
                             Limit(view.left, 1800000000),
                             Limit(view.bottom, 900000000),
                             Limit(view.right, 1800000000),
                             vessellatitude,
                             vessellongitude,
                             chartSurface.cursorLat,
                             chartSurface.cursorLon,
                             int16_t(int(heading))};
    const char* path = "c:\\varnel\\coords.dat";
    win::remove(path);
    if (FILE* file = win::fopen(path, "wb")) {
        std::fwrite(&record, sizeof record, 1, file);
        std::fclose(file);
    }
}
